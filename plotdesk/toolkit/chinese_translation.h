#pragma once
// Qt's own texts (the buttons of standard dialogs, the colour and file
// choosers, the command-line parser's messages) in Chinese, whatever the
// user's locale: the whole interface of the program is Chinese.

class QCoreApplication;

namespace plotdesk::toolkit {

// Makes Chinese (China) the default locale, and loads Qt's Chinese
// translation from Qt's translations folder into `app`. false when the
// translation is not installed; Qt's texts then stay English.
bool installChineseTranslation(QCoreApplication& app);

}  // namespace plotdesk::toolkit
