#pragma once

class QCoreApplication;

// Installs Qt's own Traditional-Chinese translation (qtbase zh_TW, from the Qt installation's
// translations folder) whatever the machine's locale, so that standard buttons and dialogs
// read 是, 否, 取消, 確定 as the rest of the program does. False when the file is missing:
// the program then runs with Qt's English texts.
bool InstallQtTranslation(QCoreApplication& app);

// The program's locale is Traditional Chinese (Taiwan) whatever the machine's: calendars,
// date boxes and the dates of file dialogs read 十二月, 週一 as the rest of the program.
void UseProgramLocale();
