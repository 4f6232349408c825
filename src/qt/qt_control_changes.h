#pragma once

// Reports every change of a control's text or state, whoever made it.

#include "qt/main_window.h"

#include <functional>
#include <span>
#include <string_view>

namespace drovane {

// For the named text fields, drop-downs and check boxes, while `owner` lives.
void reportControlChanges(MainWindow& window, std::span<const std::string_view> controls,
                          QObject& owner, const std::function<void(std::string_view)>& changed);

} // namespace drovane
