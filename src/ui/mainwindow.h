#pragma once

#include <QMainWindow>

namespace ryv {

// The program's one window.
class TfrmRyvTracker final : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmRyvTracker(QWidget* parent = nullptr);
};

} // namespace ryv
