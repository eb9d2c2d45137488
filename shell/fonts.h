#pragma once

namespace numblaze
{

/// Lets the screens ask for their design fonts by name ("OCR A Extended", "MS Sans Serif",
/// "Narkisim") and get the closest fonts this system has. Safe to call more than once.
void installDesignFonts();

} // namespace numblaze
