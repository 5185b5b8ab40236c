// The main tool bar's icons, drawn for this product at every pixel ratio.
#pragma once

#include <QIcon>

enum class VyStudioIcon {
    kNew,
    kOpen,
    kSave,
    kCut,
    kCopy,
    kPaste,
    kSource,
    kLcdOptions,
    kSerial,
    kTemplate,
    kAbout,
    kApplication
};

QIcon StudioIcon(VyStudioIcon icon);
