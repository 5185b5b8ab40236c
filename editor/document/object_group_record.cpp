// The record form of a group: "0" .. "<n-1>" object records, "count" and the
// stacking order "uid_z" as decimal uids joined by ",".
#include <unordered_set>

#include "editor/document/object_group.h"
#include "editor/model/column_table.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr std::string_view kKeyCount = "count";
constexpr std::string_view kKeyUidZ = "uid_z";

}  // namespace

int CVylObjectGroup::ObjGroupToRevolver(CRevolver& out) const {
    std::string order;
    for (int32_t uid : m_zOrder) {
        if (!order.empty()) {
            order += ',';
        }
        order += DecimalText(uid);
    }
    const std::vector<int32_t> uids = GetSortedUids();
    // Every object's record is written in place inside the group's.
    return CFxTreeWriter::Encode(out, [&](CFxTreeWriter& writer) {
        int64_t index = 0;
        for (int32_t uid : uids) {
            const CVylObject& object = m_objects.at(uid);
            writer.Record(DecimalText(index++),
                          [&object](CFxTreeWriter& inner) { object.WriteRecord(inner); });
        }
        writer.Int(kKeyCount, static_cast<int32_t>(m_objects.size()));
        writer.Text(kKeyUidZ, order);
    });
}

int CVylObjectGroup::ObjGroupFromRevolver(const CRevolver& in) {
    CFxAssignGroupEx record;
    // A record that ends early still gives the objects before its end.
    record.FromRevolver(in);
    return ObjGroupFromTree(record);
}

int CVylObjectGroup::ObjGroupFromTree(const CFxAssignGroupEx& record) {
    RemoveAllObjectGroup();
    const int32_t count = record.GetInt(kKeyCount, -1);
    if (count == -1) {
        return 0;
    }
    std::vector<int32_t> recordOrder;
    for (int32_t i = 0; i < count; ++i) {
        const CRevolver* bytes = record.FindBytes(DecimalText(i));
        CVylObject object;
        if (bytes == nullptr || !object.FromRecord(*bytes)) {
            return 0;
        }
        const int32_t uid = object.GetUid(0);
        m_objects.insert_or_assign(uid, std::move(object));
        recordOrder.push_back(uid);
    }
    // The stacking order names each known uid once; uids it leaves out go on
    // top in record order, so that every object stays drawable.
    std::unordered_set<int32_t> placed;
    auto place = [&](int32_t uid) {
        if (m_objects.count(uid) != 0 && placed.insert(uid).second) {
            m_zPosition[uid] = m_zOrder.size();
            m_zOrder.push_back(uid);
        }
    };
    const std::string order = record.GetString(kKeyUidZ);
    if (!order.empty()) {
        for (std::string_view piece : SplitKeepingEmpty(order, ',')) {
            place(AtoiValue(piece));
        }
    }
    for (int32_t uid : recordOrder) {
        place(uid);
    }
    return 1;
}
