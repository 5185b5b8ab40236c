// The folders that hold the settings and working files, found from the
// program's own location, and the path of every file kept there.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// What the folders are derived from; injectable so that tests need no
// installation.
struct VyProgramEnv {
    // Folder of the running program with a trailing "/".
    std::string programFolder;
    // Environment lookup: "" when the variable is unset.
    std::function<std::string(const std::string& name)> getEnv;

    // The running process: folder of /proc/self/exe and the real environment.
    static VyProgramEnv Current();
};

// Creates every missing folder of path ("/" separated; ".." is left to the
// file system). 1 when the folder exists afterwards.
int MakeFolders(const std::string& folder);

class CVYSDataFolders {
  public:
    explicit CVYSDataFolders(const VyProgramEnv& env);

    // "global_txt_data" or "global_bin_data"; any other key gives "".
    std::string GetFolder(std::string_view key) const;
    std::string DefaultTemplateFolder() const;
    // Where the package ships its templates; equals DefaultTemplateFolder()
    // unless the data root had to move away from the installation.
    std::string ShippedTemplateFolder() const;
    // The manual as the package ships it: the Korean one, or the English.
    std::string ShippedManualPath(bool english = false) const;
    // Folder holding "global_data" and "template", with a trailing "/".
    const std::string& DataRoot() const { return m_root; }

    // Files of the text data folder; each call creates the missing folders.
    std::string CommCfgPath() const { return TextFile("comm.cfg"); }
    std::string GridCfgPath() const { return TextFile("grid.cfg"); }
    std::string SrcGenrEnvCfgPath() const { return TextFile("src_genr_env.cfg"); }
    std::string PubIniPath() const { return TextFile("pub.ini"); }
    std::string ContextHelpShowIniPath() const { return TextFile("contexthelpshow.ini"); }
    std::string ManualTxtPath(bool english = false) const {
        return TextFile(ManualFileName(english));
    }
    static std::string_view ManualFileName(bool english) {
        return english ? "manual_en.txt" : "manual.txt";
    }

    // The backup file's path only: the backup writer calls
    // EnsureBinDataFolder() itself right before writing.
    std::string AutoBackupPath() const;
    int EnsureBinDataFolder() const;

  private:
    std::string TextFile(std::string_view name) const;

    std::string m_installRoot;
    // Read-only data of an installation ("share/vylcd-studio" beside the
    // program's folder), or the install root itself in a build tree.
    std::string m_shippedRoot;
    std::string m_root;
};
