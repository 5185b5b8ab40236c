// CVylCmdExtractContext: turns a drawing into the LCD command bytes that
// redraw it, each object preceded by the state commands whose bytes changed,
// with the length of every command for the link's flow control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/command/command_bytes.h"
#include "editor/command/extract_status.h"
#include "editor/command/object_source.h"
#include "editor/command/template_runner.h"
#include "editor/model/column_table.h"
#include "editor/model/device_context.h"

// The drawing templates, one column per object kind.
class CVylCmdExtractReference {
  public:
    virtual ~CVylCmdExtractReference() = default;

  protected:
    CVylColumnTable m_extractTable;
};

// The state settings each object kind depends on, one column per kind.
class CVylCmdDependenceReference {
  public:
    virtual ~CVylCmdDependenceReference() = default;

  protected:
    CVylColumnTable m_dependenceTable;
};

// The templates that set each state on the LCD, one column per setting.
class CVylCmdOptionReference {
  public:
    virtual ~CVylCmdOptionReference() = default;

  protected:
    CVylColumnTable m_optionTable;
};

class CVylCmdExtractContext : public CVylCmdExtractReference,
                              public CVylCmdDependenceReference,
                              public CVylCmdOptionReference {
  public:
    // Keeps both pointers and parses the model's three command tables; a
    // missing or malformed table stays empty. Each template is parsed once,
    // the first time an object needs it, and kept as long as the context.
    void Init(const CVylDeviceContext* dc, const CVylObjectSource* group);

    // Appends the commands of all objects, bottom to top, or of those up to
    // the first after which out holds more than byteLimit bytes. On a
    // failure the status is set and what the objects before the failing one
    // made stays.
    void ExtractCmdByteArrayAndAppend(VyByteArray& out, VyLengthArray* lengths,
                                      size_t byteLimit = SIZE_MAX);

    // Appends the commands of one object on their own: every state it needs
    // is set first, as though nothing had been sent before. The returned
    // status is kept as well.
    int32_t ExtractAlone(const CVylObject& object, VyByteArray& out, VyLengthArray* lengths);

    int32_t GetStatus() const { return m_status; }

  private:
    // A state setting an object kind depends on.
    struct Dependence {
        std::string setting;
        const CVylCommandTemplate* option;  // nullptr when the model has none
        size_t slot;                        // of the setting's last bytes sent
    };
    // What the objects of one kind need.
    struct KindPlan {
        std::optional<CVylCommandTemplate> extract;
        std::vector<Dependence> dependences;
        // For each state in the order they go out, the dependences naming it.
        std::vector<std::vector<size_t>> emitted;
    };
    // A state setting's commands for the object at hand.
    struct StateRun {
        int32_t status = kExtractOk;
        bool needed = false;
        VyByteArray bytes;
        VyLengthArray lengths;
    };

    const KindPlan& PlanFor(int32_t kind);
    const CVylCommandTemplate* OptionTemplate(const std::string& setting);
    size_t StateSlot(const std::string& setting);
    void RunDependences(const KindPlan& plan, const CVylObject& object);
    int32_t ExtractObject(const CVylObject& object, VyByteArray& out, VyLengthArray* lengths);

    const CVylDeviceContext* m_dc = nullptr;
    const CVylObjectSource* m_group = nullptr;
    uint8_t m_escape = 0;
    std::unordered_map<int32_t, KindPlan> m_plans;
    std::unordered_map<std::string, std::optional<CVylCommandTemplate>> m_options;
    std::unordered_map<std::string, size_t> m_slots;
    // The bytes last sent for each setting, by slot; none before the first.
    std::vector<std::optional<VyByteArray>> m_currentState;
    std::vector<StateRun> m_runs;  // of the dependences of the object at hand
    int32_t m_status = kExtractOk;
};
