#pragma once

#include "core/ports.h"

namespace ryv {

// The desktop's clipboard, as plain Unicode text.
class TSystemClipboard final : public IClipboard {
public:
    QString Text() const override;
    void SetText(const QString& text) override;
};

} // namespace ryv
