// A bitmap object's picture as the user chose to reduce it: the source kept
// with the object and the reduction its attributes name. The LCD commands,
// the canvas and the module use the one-bit result alone ("bmp_bin"); it is
// made again from the source whenever the choice changes, never from itself.
#pragma once

#include <string>
#include <string_view>

#include "editor/image/one_bit_reduction.h"
#include "editor/tree/revolver.h"
#include "editor/tree/value_tree.h"

// The reduction the attributes choose; the default (the nearer of black
// and white) for what they lack, as objects of older files do, or hold
// wrongly.
VyReduction ReductionOf(const CFxAssignGroupEx& attrs);
// The attribute texts of a reduction's parts.
std::string DitherText(VyDither dither);
std::string LevelText(int32_t level);
std::string InvertText(bool invert);
// Writes all three parts.
void SetReduction(CFxAssignGroupEx& attrs, const VyReduction& reduction);

// What the one-bit picture is made from: the kept source, or for an object
// without one (older files) its one-bit picture, which is its own source.
// Empty for an object without a picture.
CRevolver PictureSourceOf(const CFxAssignGroupEx& attrs);

// The one-bit BMP file of a source BMP file; empty when it does not decode.
std::string ReducePictureFile(std::string_view sourceBmp, const VyReduction& reduction);
