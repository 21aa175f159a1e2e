#pragma once
// The user valve files of the user valve directory as the curve entry
// dialogs see them: the list of manufacturers taken from the loaded
// documents, the file name of a manufacturer, and saving the edited list
// (rename and orphan rules: docs/userfile.md).

#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/uservalves/userfile.h"

class CUserData;

namespace nrvUserArmaturen {

// The file name of a manufacturer's file: the name followed by ".userarm",
// made safe for the file system. Bytes that cannot or should not stand in a
// file name ('/', NUL, control characters, a leading '.') and '%' itself are
// written as %XX, so that different names never share a file; an empty name
// gives "%.userarm"; a name too long for one file name keeps its first 220
// bytes followed by "%%" and a hash of the whole name.
KAVEX_API std::string userArmDateiname(std::string_view hersteller);
// The directory joined with userArmDateiname.
KAVEX_API std::string userArmPfad(const std::string& verzeichnis, std::string_view hersteller);

// One manufacturer per loaded user valve file of `dokumente` (in list order),
// with the document's path and unchanged. Documents without tree or with
// another root than "KURVEN" are left out.
KAVEX_API std::vector<UserHersteller> ladeUserHersteller(const CUserData& dokumente);

// Saves the edited list into `verzeichnis` (created when missing), from the
// last manufacturer to the first; an unchanged manufacturer whose file exists
// is skipped. A renamed manufacturer is written under its new name and its old
// file deleted only after that succeeded. Written manufacturers remember their
// new path and count as unchanged. Afterwards, with `dokumente`, every listed
// document whose "HERST" matches none of the manufacturers has its file
// deleted and is emptied. False when a file could not be written or an old
// file not be deleted (everything else is still done).
KAVEX_API bool speichereUserHersteller(std::vector<UserHersteller>& liste,
                                       const std::string& verzeichnis,
                                       CUserData* dokumente = nullptr);

}  // namespace nrvUserArmaturen
