#pragma once
// Qt's own texts (message box buttons, file dialogs, edit box menus) follow the interface
// language: Qt's Polish catalogue while the interface is Polish, Qt's built-in English
// otherwise.
namespace vornix::qttranslations {

// Installs (true) or removes (false) Qt's Polish catalogue for the whole application. True
// when the wanted language is in effect; false when the catalogue is not installed, in which
// case Qt's texts stay English.
bool usePolish(bool polish);

} // namespace vornix::qttranslations
