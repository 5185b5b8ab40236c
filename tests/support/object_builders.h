// Small makers of drawing objects for the tests, in dots rather than units.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "editor/command/object_source.h"
#include "editor/model/drawing_object.h"

inline constexpr int32_t kUnit = 10000;

inline CVylObject MakeObject(int32_t uid, int32_t kind, int32_t l, int32_t t, int32_t r,
                             int32_t b) {
    CVylObject object;
    object.SetCommonAttrs(uid, kind, {l * kUnit, t * kUnit, r * kUnit, b * kUnit});
    return object;
}

inline CVylObject MakeShape(int32_t uid, int32_t kind, int32_t l, int32_t t, int32_t r, int32_t b,
                            const char* dotSize = "1", const char* color = "1",
                            const char* spacing = "0") {
    CVylObject object = MakeObject(uid, kind, l, t, r, b);
    object.Unique().SetString("dot_size", dotSize);
    object.Unique().SetString("color_switch", color);
    object.Unique().SetString("dotted_spacing", spacing);
    return object;
}

// Objects in a plain list, bottom first.
class VectorObjectSource : public CVylObjectSource {
  public:
    void Add(const CVylObject& object) {
        const int32_t uid = object.GetUid();
        m_objects[uid] = object;
        m_order.push_back(uid);
    }
    void AddOrderOnly(int32_t uid) { m_order.push_back(uid); }
    CVylObject& At(int32_t uid) { return m_objects.at(uid); }
    const std::vector<int32_t>& GetZOrderList() const override { return m_order; }
    const CVylObject* GetByObjUid(int32_t uid) const override {
        const auto it = m_objects.find(uid);
        return it == m_objects.end() ? nullptr : &it->second;
    }

  private:
    std::map<int32_t, CVylObject> m_objects;
    std::vector<int32_t> m_order;
};
