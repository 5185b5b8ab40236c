// The LCD model the fuzz targets extract for, set up once.
#pragma once

#include "editor/model/device_context.h"

inline const CVylDeviceContext& FuzzDeviceContext() {
    static const CVylDeviceContext dc = [] {
        CVylDeviceContext context;
        context.InitDeviceContext(kModelVyb3224);
        return context;
    }();
    return dc;
}
