#include "editor/document/action_store.h"

#include <algorithm>
#include <stdexcept>

void CVylActionStore::SetDecodedSlots(size_t count) {
    m_slotCount = std::max<size_t>(count, 1);
    m_slots.clear();
}

void CVylActionStore::Adopt(CVylActionStore&& other) {
    m_records = std::move(other.m_records);
    m_slots.clear();
    if (other.m_slotCount == m_slotCount) {
        m_slots = std::move(other.m_slots);
    }
    other.Clear();
}

void CVylActionStore::Clear() {
    m_records.clear();
    m_slots.clear();
}

void CVylActionStore::Cache(size_t index, std::unique_ptr<CVylEditAction> action) const {
    if (m_slots.empty()) {
        m_slots.resize(m_slotCount);
    }
    Slot& slot = m_slots[index % m_slotCount];
    slot.index = index;
    slot.action = std::move(action);
}

int CVylActionStore::Push(CVylEditAction action) {
    Entry record;
    if (!action.ToRevolver(record.bytes)) {
        return 0;
    }
    record.kind = action.kind;
    record.swift = action.swift;
    m_records.push_back(std::move(record));
    Cache(m_records.size() - 1, std::make_unique<CVylEditAction>(std::move(action)));
    return 1;
}

void CVylActionStore::PushRead(const CRevolver& bytes, const CVylEditAction& action) {
    Entry record;
    CRevolver encoded;
    record.canonical = action.ToRevolver(encoded) != 0 && encoded == bytes;
    record.bytes = bytes;
    record.kind = action.kind;
    record.swift = action.swift;
    m_records.push_back(std::move(record));
    // Not kept decoded: an opened project costs its file's bytes.
}

int CVylActionStore::EncodeRecord(size_t index, CRevolver* out) const {
    if (m_records[index].canonical) {
        *out = m_records[index].bytes;
        return 1;
    }
    return At(index).ToRevolver(*out);
}

void CVylActionStore::Truncate(size_t count) {
    if (count >= m_records.size()) {
        return;
    }
    m_records.resize(count);
    for (Slot& slot : m_slots) {
        if (slot.index != SIZE_MAX && slot.index >= count) {
            slot = Slot();
        }
    }
}

const CVylEditAction& CVylActionStore::At(size_t index) const {
    if (!m_slots.empty()) {
        const Slot& slot = m_slots[index % m_slotCount];
        if (slot.index == index) {
            return *slot.action;
        }
    }
    auto action = std::make_unique<CVylEditAction>();
    // Every record was made by encoding an action, so it decodes.
    if (!action->FromRevolver(m_records.at(index).bytes)) {
        throw std::logic_error("action store: a record does not decode");
    }
    // The flag may have changed since the record was read.
    action->swift = m_records[index].swift;
    const CVylEditAction& decoded = *action;
    Cache(index, std::move(action));
    return decoded;
}

void CVylActionStore::SetSwift(size_t index, int32_t swift) {
    Entry& record = m_records[index];
    if (record.swift == swift) {
        return;
    }
    record.swift = swift;
    if (!m_slots.empty() && m_slots[index % m_slotCount].index == index) {
        m_slots[index % m_slotCount].action->swift = swift;
    }
    // Other records are encoded when saved; the flag is the record's own.
    if (record.canonical) {
        CRevolver bytes;
        if (At(index).ToRevolver(bytes)) {
            record.bytes = std::move(bytes);
        } else {
            record.canonical = false;
        }
    }
}
