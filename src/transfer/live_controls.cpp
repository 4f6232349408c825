#include "transfer/live_controls.h"

#include <utility>

namespace drovane {

void LiveControls::setEndCharField(std::string text) {
    const std::lock_guard lock(mutex_);
    texts_.endCharField = std::move(text);
}

void LiveControls::setDtrDsrCheck(bool checked) {
    const std::lock_guard lock(mutex_);
    texts_.dtrDsrCheck = checked;
}

void LiveControls::setReceiveControlFilterCombo(std::string text) {
    const std::lock_guard lock(mutex_);
    texts_.receiveControlFilterCombo = std::move(text);
}

void LiveControls::setFileNameField(std::string text) {
    const std::lock_guard lock(mutex_);
    texts_.fileNameField = std::move(text);
}

void LiveControls::setDirectoryField(std::string text) {
    const std::lock_guard lock(mutex_);
    texts_.directoryField = std::move(text);
}

void LiveControls::setPatternField(std::string text) {
    const std::lock_guard lock(mutex_);
    texts_.patternField = std::move(text);
}

std::string LiveControls::endCharField() const {
    const std::lock_guard lock(mutex_);
    return texts_.endCharField;
}

bool LiveControls::dtrDsrCheck() const {
    const std::lock_guard lock(mutex_);
    return texts_.dtrDsrCheck;
}

std::string LiveControls::receiveControlFilterCombo() const {
    const std::lock_guard lock(mutex_);
    return texts_.receiveControlFilterCombo;
}

LiveTexts LiveControls::texts() const {
    const std::lock_guard lock(mutex_);
    return texts_;
}

} // namespace drovane
