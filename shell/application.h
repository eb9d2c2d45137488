#pragma once

#include <QString>
#include <initializer_list>

namespace numblaze
{

class Screen;

namespace application
{

/// The directory that holds the program.
QString path();

/// Ends the program at once: the given screens are destroyed without any further event, and
/// the message loop returns.
void end(std::initializer_list<Screen*> screens);

} // namespace application
} // namespace numblaze
