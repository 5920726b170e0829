#pragma once

class QWidget;

namespace ModalHelper {
// Makes a parentless dialog application-modal and keeps it above owner. It must
// not be a child of the window: disabling the busy window would disable it too.
void prepare(QWidget *dialog, QWidget *owner);
}
