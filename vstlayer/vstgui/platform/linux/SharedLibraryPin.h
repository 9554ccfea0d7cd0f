#pragma once

namespace VSTGUI
{

// Keeps the drawing libraries the editor pulls in mapped for the life of the
// process. pixman allocates its tables in a load-time constructor and never
// frees them, so every unload of a plug-in that was the library's only user
// would lose that memory; pinned, a later load finds the library in place.
// Call it when the module is entered.
void pinDrawingLibraries();

} // namespace VSTGUI
