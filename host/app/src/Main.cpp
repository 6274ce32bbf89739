// cadhost: starts a drawing, loads the plug-in through the entry-point protocol, runs a
// command-line session from a script or a terminal, unloads, saves and exports.
#include <windows.h>

#include <platform/Paths.h>
#include <platform/Registry.h>
#include <platform/Session.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "host/Session.h"

namespace fs = std::filesystem;

namespace {

const char kUsage[] = R"USAGE(Usage: cadhost [options]

Starts an empty metric drawing (or opens one), loads Tavrix.zrx from the installation
folder, runs a command-line session, unloads the plug-in, then saves and exports.

Options:
  --install DIR      installation folder (default: "install" beside cadhost); written to the
                     registry as HKLM\SOFTWARE\VORANT\Tavrix\2023 "Path" (Windows form, Z:)
  --utilpack DIR     companion installation (default: "utilpack" beside the installation
                     folder, if it exists): HKLM\SOFTWARE\VORANT\Utilpack\2023 "Path"
  --appdata DIR      the user's application-data folder (APPDATA)
  --registry FILE    registry hive file (default: $TAVRIX_REGISTRY, else a temporary file)
  --open FILE        open this drawing instead of starting an empty one
  --save FILE        save the drawing at the end
  --png FILE         export a picture of the drawing at the end
  --svg FILE         export the drawing as SVG at the end
  --script FILE|-    run the session from a script file ("-": standard input); without it
                     a terminal is read interactively, other standard input as a script
  --transcript FILE  write everything the command line showed to FILE (UTF-8)
  --no-module        do not load Tavrix.zrx
  --lenient          do not fail when a command leaves database objects open
  --help             this text

Session language (one line = what the user types at the command line):
  NAME               starts a command (local or global name, any case; "_NAME": global);
                     the following lines answer its prompts
  x,y  x,y,z         a point (user coordinates); "@dx,dy" relative, "d<angle" polar
  12.5               a number; a keyword by its name or capital letters
  (empty line)       Enter (at the command prompt: nothing)
  ESC                Escape
  ; text             comment (at line start, or after a blank); comment-only lines are skipped
  .echo TEXT         print TEXT on the command line
  .ucs origin x,y[,z] [degrees]   set the UCS (origin, rotation about Z)
  .ucs world         back to the world coordinate system
  .setvar NAME VALUE set a system variable;  .getvar NAME  prints "NAME = value"
  .layout NAME       switch to a paper-space layout;  .model  back to model space
  .opencount         print "Open objects: N" (database objects currently open)
  .open FILE  .save FILE  .png FILE  .svg FILE  .new
  .load PATH         load an application module;  .unload NAME  unload it
  .listed NAME       let the host list NAME as a loaded module (nothing is loaded)
  .support DIR       add a folder to the file search path

Command line (and transcript) format:
  "\nCommand: NAME" before each command (NAME as typed); each answer is shown after its
  prompt and the user's Enter starts the next line; Escape shows "*Cancel*"; an unknown
  name prints "Unknown command "NAME"." (upper case). Expressions queued for the script
  interpreter appear after the command as "Command: (expression)". A command that leaves
  database objects open prints "*** N object(s) still open after NAME"; problems of the
  session itself print "*** ..." too; either makes the exit status 1.
Exit status: 0; 1 when the session had failures; 2 for bad options; 3 when Tavrix.zrx
could not be loaded.
)USAGE";

std::wstring windowsPath(const fs::path& path) {
    return platform::toWindowsPath(fs::absolute(path).lexically_normal().string());
}

bool writeRegistryPath(const wchar_t* subKey, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS rc = RegSetValueExW(key, L"Path", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Options {
    std::optional<fs::path> install, utilpack, appdata, registry, open, save, png, svg,
        transcript;
    std::optional<std::string> script;
    bool loadPlugin = true;
    bool strict = true;
};

int parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--no-module") {
            o.loadPlugin = false;
            continue;
        }
        if (arg == "--lenient") {
            o.strict = false;
            continue;
        }
        const std::pair<const char*, std::optional<fs::path>*> pathOptions[] = {
            {"--install", &o.install},   {"--utilpack", &o.utilpack}, {"--appdata", &o.appdata},
            {"--registry", &o.registry}, {"--open", &o.open},         {"--save", &o.save},
            {"--png", &o.png},           {"--svg", &o.svg},           {"--transcript", &o.transcript}};
        bool known = false;
        for (const auto& [name, target] : pathOptions) {
            if (arg == name) {
                if (i + 1 >= argc) {
                    std::fprintf(stderr, "cadhost: %s needs a value\n", name);
                    return 2;
                }
                *target = fs::path(argv[++i]);
                known = true;
            }
        }
        if (arg == "--script") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "cadhost: --script needs a value\n");
                return 2;
            }
            o.script = argv[++i];
            known = true;
        }
        if (!known) {
            std::fprintf(stderr, "cadhost: unknown option %s (see --help)\n", arg.c_str());
            return 2;
        }
    }
    return -1;
}

void writeStdout(std::wstring_view text) {
    const std::string bytes = platform::toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const int rc = parse(argc, argv, o); rc >= 0)
        return rc;

    const fs::path self = fs::weakly_canonical(fs::path("/proc/self/exe"));
    const fs::path install = o.install ? fs::absolute(*o.install) : self.parent_path() / "install";

    // Registry hive: given, from the environment, or a fresh one for this run.
    std::string temporaryHive;
    if (o.registry) {
        platform::setRegistryFile(fs::absolute(*o.registry).string());
    } else if (!std::getenv("TAVRIX_REGISTRY")) {
        char pattern[] = "/tmp/cadhost-registry-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0) {
            close(fd);
            temporaryHive = pattern;
            platform::setRegistryFile(temporaryHive);
        }
    }
    writeRegistryPath(L"SOFTWARE\\VORANT\\Tavrix\\2023", windowsPath(install));
    const fs::path utilpack = o.utilpack ? fs::absolute(*o.utilpack) : install.parent_path() / "utilpack";
    if (fs::is_directory(utilpack))
        writeRegistryPath(L"SOFTWARE\\VORANT\\Utilpack\\2023", windowsPath(utilpack));
    if (o.appdata) {
        fs::create_directories(*o.appdata);
        const std::wstring appdata = windowsPath(*o.appdata);
        SetEnvironmentVariableW(L"APPDATA", appdata.c_str());
        setenv("APPDATA", platform::toUtf8(appdata).c_str(), 1);
    }

    std::ofstream transcriptFile;
    if (o.transcript) {
        transcriptFile.open(*o.transcript, std::ios::binary | std::ios::trunc);
        if (!transcriptFile) {
            std::fprintf(stderr, "cadhost: cannot write %s\n", o.transcript->c_str());
            return 2;
        }
    }

    // Where the session's lines come from.
    const bool terminal = !o.script && isatty(STDIN_FILENO);
    std::string script;
    if (o.script && *o.script != "-") {
        auto text = readFile(*o.script);
        if (!text) {
            std::fprintf(stderr, "cadhost: cannot read %s\n", o.script->c_str());
            return 2;
        }
        script = std::move(*text);
    } else if (!terminal) {
        std::ostringstream text;
        text << std::cin.rdbuf();
        script = text.str();
    }

    int status = 0;
    {
        host::Session session;
        session.setStrict(o.strict);
        session.addOutputSink([terminal](std::wstring_view text, bool echo) {
            if (!(terminal && echo))  // a terminal already shows what the user typed
                writeStdout(text);
        });
        if (transcriptFile.is_open())
            session.addOutputSink([&transcriptFile](std::wstring_view text, bool) {
                const std::string bytes = platform::toUtf8(text);
                transcriptFile.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            });
        session.setSupportPaths({windowsPath(install)});
        if (terminal)
            session.setInteractiveSource([](std::wstring& line) {
                std::string bytes;
                if (!std::getline(std::cin, bytes))
                    return false;
                line = platform::fromUtf8(bytes);
                return true;
            });
        else
            session.feed(platform::fromUtf8(script));

        if (o.open)
            session.fileAction(host::Session::FileAction::Open, windowsPath(*o.open));
        bool pluginLoaded = true;
        if (o.loadPlugin)
            pluginLoaded = session.loadModule(windowsPath(install / "Tavrix.zrx"));

        session.run();
        session.unloadAll();

        if (o.save)
            session.fileAction(host::Session::FileAction::Save, windowsPath(*o.save));
        if (o.png)
            session.fileAction(host::Session::FileAction::Png, windowsPath(*o.png));
        if (o.svg)
            session.fileAction(host::Session::FileAction::Svg, windowsPath(*o.svg));
        session.finishLine();
        if (session.failures() > 0)
            status = 1;
        else if (!pluginLoaded)
            status = 3;
    }
    if (!temporaryHive.empty())
        std::remove(temporaryHive.c_str());
    return status;
}
