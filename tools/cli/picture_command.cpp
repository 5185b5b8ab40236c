#include "tools/cli/picture_command.h"

#include <cerrno>
#include <cstring>

#include "editor/command/bitmap_source.h"
#include "editor/document/object_group.h"
#include "editor/image/bmp_codec.h"
#include "editor/model/device_context.h"

namespace {

constexpr int32_t kUnitsPerDot = 10000;

void SayNotDecoded(const std::string& path, const VyDecodeProblem& problem, std::ostream& err) {
    if (problem.tooLarge) {
        err << path << ": the picture is too large (" << problem.width << " x " << problem.height
            << " pixels); pictures of at most " << PixelLimitText(problem.maxPixels)
            << " pixels can be read\n";
    } else {
        err << path << ": not a picture of a supported format (BMP, JPEG, GIF, PNG, ICO, TIFF, "
            << "PCX)\n";
    }
}

// The object the editor would make of the picture, at the top left corner.
CVylObject BitmapObject(const std::string& source, const VyReduction& reduction, int32_t width,
                        int32_t height) {
    CVylObject bitmap;
    bitmap.SetCommonAttrs(0, kObjBitmap,
                          {0, 0, (width - 1) * kUnitsPerDot, (height - 1) * kUnitsPerDot});
    CVylObjectUniqueAttr& attrs = bitmap.Unique();
    attrs.SetBytes(kKeyBmpSource, CRevolver::FromBytes(source));
    attrs.SetBytes(kKeyBmpBin, CRevolver::FromBytes(ReducePictureFile(source, reduction)));
    SetReduction(attrs, reduction);
    return bitmap;
}

}  // namespace

int RunPictureCommand(const std::string& imagePath, const VyPictureOptions& options,
                      std::ostream& err) {
    CRevolver file;
    errno = 0;
    if (!file.LoadFromFile(imagePath)) {
        err << imagePath
            << ": cannot read the file: " << (errno != 0 ? std::strerror(errno) : "read error")
            << '\n';
        return 1;
    }
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    const VyPictureSize lcd{dc.GetInt(kKeyResolutionX, 320), dc.GetInt(kKeyResolutionY, 240)};
    const VyLcdPicture picture = PrepareLcdPicture(file.View(), lcd, options.size);
    int32_t width = 0;
    int32_t height = 0;
    if (picture.source.empty() || !ReadBmpSize(picture.source, &width, &height)) {
        SayNotDecoded(imagePath, picture.problem, err);
        return 1;
    }
    CVylObjectGroup group;
    group.InsertOnTop(0, BitmapObject(picture.source, options.reduction, width, height));
    CRevolver bytes;
    if (!group.ObjGroupToRevolver(bytes) || !bytes.SaveToFile(options.outPath)) {
        err << options.outPath << ": cannot write the template\n";
        return 1;
    }
    return 0;
}
