#pragma once

namespace drovane {

// Makes the icons and the help page (":/icons/...", ":/help/drovane.html") available. They live in
// a static library, whose registration the linker would otherwise drop; safe to call repeatedly.
void registerEmbeddedResources();

} // namespace drovane
