// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "shell/core/Services.h"

namespace quillet::testing {

// Records fatal errors instead of ending the process.
class RecordingFatal : public FatalErrorHandler {
public:
    void fatal(const QString& title, const QString& text) override {
        calls.emplace_back(title, text);
    }
    std::vector<std::pair<QString, QString>> calls;
};

}  // namespace quillet::testing
