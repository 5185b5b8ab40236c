// The one application object of the benchmark program, made on first use
// on the offscreen platform (the canvas and the editor need fonts and
// widgets, the link an event loop).
#pragma once

void EnsureBenchApplication();
