#pragma once

namespace shell {

// Qt's own texts (the file dialog, its overwrite question, the standard
// context menus) in the program's language rather than the system's.
void applyQtTranslations(int language);

} // namespace shell
