// Joints between object corners: each linker is a set of corners that stay
// on one point; the contact index tells which linker holds a corner.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct VyLinkerPoint {
    int32_t uid = -1;
    int32_t corner = 0;
    bool operator==(const VyLinkerPoint&) const = default;
};

// "<uid>|<corner>", the key of a point in linkers and in the contact index.
std::string LinkerPointKey(int32_t uid, int32_t corner);

class CVylLinker {
  public:
    using PointList = std::list<std::pair<std::string, VyLinkerPoint>>;

    CVylLinker() = default;
    CVylLinker(const CVylLinker& other) { *this = other; }
    CVylLinker& operator=(const CVylLinker& other);

    // Points in the order they were added.
    const PointList& Points() const { return m_points; }
    bool Holds(const std::string& key) const { return m_byKey.count(key) != 0; }
    void Add(const VyLinkerPoint& point);
    void Remove(const std::string& key);

  private:
    // Keyed as well, so that a history with huge linkers still replays quickly.
    PointList m_points;
    std::map<std::string, PointList::iterator> m_byKey;
};

class CVylLinkerStore {
  public:
    virtual ~CVylLinkerStore() = default;

    // Adds an empty linker unless one of that uid exists; 1 when added.
    int AddLinker(int32_t linkerUid);
    // Adds the point to an existing linker and indexes it; 0 without linker.
    int AddPointToLinker(int32_t linkerUid, const VyLinkerPoint& point);
    // Removes a point the linker holds, and the linker once it is empty.
    int DetachPointFromLinker(int32_t linkerUid, const VyLinkerPoint& point);

    const CVylLinker* GetLinker(int32_t linkerUid) const;
    const std::map<int32_t, CVylLinker>& GetLinkers() const { return m_linkers; }
    std::optional<int32_t> GetLinkerOfPoint(const std::string& pointKey) const;
    // The contact index: the linker of every point key.
    const std::map<std::string, int32_t>& GetContacts() const { return m_contacts; }
    void RemoveAllLinkers();

  private:
    std::map<int32_t, CVylLinker> m_linkers;
    std::map<std::string, int32_t> m_contacts;
};
