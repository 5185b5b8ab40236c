// CVylActionStore: the actions of a history in their record form, with the
// decoded form of the ones used lately. A long history then costs about its
// file's bytes (records read from a file share the file's buffer) rather
// than a decoded tree of some kilobyte for every action.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/document/edit_action.h"
#include "editor/tree/revolver.h"
#include "editor/vyedit_export.h"

class VYEDIT_EXPORT CVylActionStore {
  public:
    // How many decoded actions are kept: as many as one replay interval
    // of the checkpoints at 100,000 actions, so that stepping back and forth
    // decodes each action once. Actions read from a file are decoded when
    // first used.
    static constexpr size_t kDecodedSlots = 4096;

    // Fewer slots make a short history decode as a long one does (tests).
    void SetDecodedSlots(size_t count);

    size_t Size() const { return m_records.size(); }
    bool Empty() const { return m_records.empty(); }
    void Clear();
    // Takes the other store's actions, keeping this store's slot count.
    void Adopt(CVylActionStore&& other);
    void Reserve(size_t count) { m_records.reserve(count); }

    // Appends an action; 0 when it has no record form (nothing is added).
    int Push(CVylEditAction action);
    // Appends an action read from a file: record is its bytes as stored and
    // action what they decode to. The bytes are kept (sharing the file's
    // buffer) and decoded again when needed, so the action stays what was
    // read even where encoding it would change it.
    void PushRead(const CRevolver& record, const CVylEditAction& action);
    void Truncate(size_t count);

    // The decoded action. The reference holds until the next call that
    // decodes or changes an action: take a copy to keep it longer.
    const CVylEditAction& At(size_t index) const;
    int32_t Swift(size_t index) const { return m_records[index].swift; }
    int32_t Kind(size_t index) const { return m_records[index].kind; }
    void SetSwift(size_t index, int32_t swift);
    // The record form that saving writes: what the action encodes to. 0
    // when it cannot be encoded (a repair of a type unknown here).
    int EncodeRecord(size_t index, CRevolver* out) const;

  private:
    // What the history asks of every action without decoding it.
    struct Entry {
        CRevolver bytes;
        int32_t kind = 0;
        int32_t swift = 0;
        // Whether bytes are what the action encodes to, as they are in
        // files this editor wrote.
        bool canonical = true;
    };
    struct Slot {
        size_t index = SIZE_MAX;
        std::unique_ptr<CVylEditAction> action;
    };

    void Cache(size_t index, std::unique_ptr<CVylEditAction> action) const;

    std::vector<Entry> m_records;
    // Direct-mapped by index: a replay walks consecutive actions.
    mutable std::vector<Slot> m_slots;
    size_t m_slotCount = kDecodedSlots;
};
