#include "transfer/transmit_settings.h"

#include "core/text.h"

namespace drovane {

TransmitOptions transmitOptionsFrom(const TransmitSettingTexts& texts) {
    TransmitOptions options;
    options.percentFilter = isYes(texts.percentFilter);
    options.controlFilter = isYes(texts.controlFilter);
    options.afterLine = texts.afterLine;
    options.beforeProgram = texts.beforeProgram;
    options.afterProgram = texts.afterProgram;
    options.afterEndCode = texts.afterEndCode;
    return options;
}

} // namespace drovane
