// A tiny shared library that the loader tests copy into folder trees under
// the names they search for.

extern "C" __attribute__((visibility("default"))) int kavexProbe_answer(int question) {
    return question + 42;
}
