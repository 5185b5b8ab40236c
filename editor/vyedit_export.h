// What the shared editor library exports: everything else stays hidden, so
// the application sees exactly the units it uses.
#pragma once

#define VYEDIT_EXPORT __attribute__((visibility("default")))
