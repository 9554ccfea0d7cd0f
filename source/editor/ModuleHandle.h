#pragma once

// The plug-in library's own module, as the plug-in object is told it: the address
// the library is loaded at.
void* ownModuleHandle();
