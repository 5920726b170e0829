#pragma once

class QCoreApplication;

// Qt's own Japanese texts: dialog buttons, file dialogs, socket error descriptions.
// Returns false when the translation is not installed.
bool installJapanese(QCoreApplication *app);
