#pragma once

// Symbols marked KAVEX_API form the public interface of libkavex; everything
// else stays hidden in the shared library (built with -fvisibility=hidden).
// The same objects also go into the static archive the tests link, where the
// attribute is harmless.
#define KAVEX_API __attribute__((visibility("default")))
