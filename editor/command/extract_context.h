// CVylCmdExtractContext: turns a drawing into the LCD command bytes that
// redraw it, each object preceded by the state commands whose bytes changed,
// with the length of every command for the link's flow control.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

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
    // missing or malformed table stays empty.
    void Init(const CVylDeviceContext* dc, const CVylObjectSource* group);

    // Appends the commands of all objects, bottom to top. On a failure the
    // status is set and what the objects before the failing one made stays.
    void ExtractCmdByteArrayAndAppend(VyByteArray& out, VyLengthArray* lengths);

    int32_t GetStatus() const { return m_status; }

  private:
    int32_t ExtractObject(const CVylObject& object, VyByteArray& out, VyLengthArray* lengths);
    std::vector<std::string> NeededStates(const CVylObject& object);

    const CVylDeviceContext* m_dc = nullptr;
    const CVylObjectSource* m_group = nullptr;
    // Setting name -> the bytes last sent for it, as upper-case hexadecimal.
    std::unordered_map<std::string, std::string> m_currentState;
    int32_t m_status = kExtractOk;
};
