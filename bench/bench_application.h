// The one application object of the benchmark program, made on first use
// on the offscreen platform unless QT_QPA_PLATFORM names another (the canvas and the editor need
// fonts and widgets, the link an event loop).
#pragma once

void EnsureBenchApplication();
