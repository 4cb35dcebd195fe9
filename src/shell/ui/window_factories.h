#pragma once
// The windows the main menu opens, by class name: one row each.
#include <QString>

class QWidget;
class QDialog;

namespace farq {
class Edition;
}

namespace farq::ui {

using ConsultationFactory = QWidget* (*)(Edition& edition, QWidget* parent);

struct ConsultationEntry {
    const char* className;
    ConsultationFactory create;
};

// The consultation form of that class, or nullptr while it is not built.
ConsultationFactory consultationFactory(const QString& className);

} // namespace farq::ui
