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

int CVylActionStore::PushRead(const CRevolver& bytes, const CVylEditAction& action) {
    Entry record;
    if (!action.ToRevolver(record.bytes)) {
        return 0;
    }
    // The stored bytes are kept (sharing the file's buffer) where they are
    // what the action encodes to, as they are in files this editor wrote.
    if (record.bytes == bytes) {
        record.bytes = bytes;
    }
    record.kind = action.kind;
    record.swift = action.swift;
    m_records.push_back(std::move(record));
    // Not kept decoded: an opened project costs its file's bytes.
    return 1;
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
    const CVylEditAction& decoded = *action;
    Cache(index, std::move(action));
    return decoded;
}

void CVylActionStore::SetSwift(size_t index, int32_t swift) {
    if (m_records[index].swift == swift) {
        return;
    }
    CVylEditAction action = At(index);
    action.swift = swift;
    Entry record;
    if (!action.ToRevolver(record.bytes)) {
        return;
    }
    record.kind = action.kind;
    record.swift = swift;
    m_records[index] = std::move(record);
    Cache(index, std::make_unique<CVylEditAction>(std::move(action)));
}
