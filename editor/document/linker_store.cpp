#include "editor/document/linker_store.h"

#include "editor/tree/decimal_text.h"

std::string LinkerPointKey(int32_t uid, int32_t corner) {
    return DecimalText(uid) + "|" + DecimalText(corner);
}

CVylLinker& CVylLinker::operator=(const CVylLinker& other) {
    if (this != &other) {
        m_points = other.m_points;
        m_byKey.clear();
        for (auto it = m_points.begin(); it != m_points.end(); ++it) {
            m_byKey.emplace(it->first, it);
        }
    }
    return *this;
}

void CVylLinker::Add(const VyLinkerPoint& point) {
    std::string key = LinkerPointKey(point.uid, point.corner);
    if (!Holds(key)) {
        m_points.emplace_back(key, point);
        m_byKey.emplace(std::move(key), std::prev(m_points.end()));
    }
}

void CVylLinker::Remove(const std::string& key) {
    const auto it = m_byKey.find(key);
    if (it != m_byKey.end()) {
        m_points.erase(it->second);
        m_byKey.erase(it);
    }
}

int CVylLinkerStore::AddLinker(int32_t linkerUid) {
    return m_linkers.try_emplace(linkerUid).second ? 1 : 0;
}

int CVylLinkerStore::AddPointToLinker(int32_t linkerUid, const VyLinkerPoint& point) {
    const auto it = m_linkers.find(linkerUid);
    if (it == m_linkers.end()) {
        return 0;
    }
    it->second.Add(point);
    m_contacts[LinkerPointKey(point.uid, point.corner)] = linkerUid;
    return 1;
}

int CVylLinkerStore::DetachPointFromLinker(int32_t linkerUid, const VyLinkerPoint& point) {
    const auto it = m_linkers.find(linkerUid);
    const std::string key = LinkerPointKey(point.uid, point.corner);
    if (it == m_linkers.end() || !it->second.Holds(key)) {
        return 0;
    }
    it->second.Remove(key);
    if (it->second.Points().empty()) {
        m_linkers.erase(it);
    }
    m_contacts.erase(key);
    return 1;
}

const CVylLinker* CVylLinkerStore::GetLinker(int32_t linkerUid) const {
    const auto it = m_linkers.find(linkerUid);
    return it == m_linkers.end() ? nullptr : &it->second;
}

std::optional<int32_t> CVylLinkerStore::GetLinkerOfPoint(const std::string& pointKey) const {
    const auto it = m_contacts.find(pointKey);
    if (it == m_contacts.end()) {
        return std::nullopt;
    }
    return it->second;
}

void CVylLinkerStore::RemoveAllLinkers() {
    m_linkers.clear();
    m_contacts.clear();
}
