#pragma once
// Qt's own file chooser with every text of its file list in Chinese. Qt's
// Chinese translation leaves the list's words to the system: "Folder" and
// "bytes" are not in it, dates follow the system locale ("7 Dec") and file
// types the default locale ("PNG image"). The chooser is always Qt's own,
// not the desktop's, so it looks the same on every machine.

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace plotdesk::toolkit {

// Gives `dialog`'s file list Chinese sizes, types and dates. For a dialog
// that uses Qt's own widgets.
void useChineseFileList(QFileDialog& dialog);

// The filters for a picture file: every format the program reads first,
// then all files.
QString pictureFileFilters();

// Asks for a picture file to open, starting in the folder of `current`;
// nothing when cancelled.
std::optional<QString> choosePictureFile(const QString& current, QWidget* parent);

}  // namespace plotdesk::toolkit
