// tavrixrc: compiles a resource script into a C++ source that registers its resources.
//   tavrixrc [-I dir]... [-D name[=value]]... [-l language] [--depfile file] -o out.cpp script.rc
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "Generator.h"
#include "Parser.h"

namespace {

class StderrDiagnostics : public rc::Diagnostics {
public:
    void warning(const rc::Location& where, const std::string& message) override {
        std::cerr << where.file << ":" << where.line << ": warning: " << message << "\n";
    }
};

int usage() {
    std::cerr << "usage: tavrixrc [-I dir]... [-D name[=value]]... [-l language] [--depfile file] -o out.cpp script.rc\n";
    return 2;
}

std::string escapeMake(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#')
            out += '\\';
        if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    rc::Options options;
    std::string output, depfile, script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](size_t prefix) -> std::string {
            if (arg.size() > prefix)
                return arg.substr(prefix);
            if (i + 1 < argc)
                return argv[++i];
            return {};
        };
        if (arg.rfind("-I", 0) == 0) {
            options.includeDirs.push_back(value(2));
        } else if (arg.rfind("-D", 0) == 0) {
            const std::string d = value(2);
            const size_t eq = d.find('=');
            options.defines.emplace_back(d.substr(0, eq), eq == std::string::npos ? "1" : d.substr(eq + 1));
        } else if (arg == "-l") {
            options.defaultLanguage = static_cast<uint16_t>(std::strtoul(value(2).c_str(), nullptr, 0));
        } else if (arg == "-o") {
            output = value(2);
        } else if (arg == "--depfile") {
            depfile = value(9);
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else if (script.empty()) {
            script = arg;
        } else {
            return usage();
        }
    }
    if (script.empty() || output.empty())
        return usage();

    StderrDiagnostics diagnostics;
    try {
        std::vector<std::string> dependencies;
        const rc::Model model = rc::compile(script, options, diagnostics, &dependencies);
        const size_t slash = script.find_last_of('/');
        if (!writeFile(output, rc::generate(model, slash == std::string::npos ? script : script.substr(slash + 1)))) {
            std::cerr << "tavrixrc: cannot write " << output << "\n";
            return 1;
        }
        if (!depfile.empty()) {
            std::string text = escapeMake(output) + ": " + escapeMake(script);
            for (const std::string& d : dependencies)
                text += " \\\n  " + escapeMake(d);
            text += "\n";
            if (!writeFile(depfile, text)) {
                std::cerr << "tavrixrc: cannot write " << depfile << "\n";
                return 1;
            }
        }
    } catch (const rc::Error& e) {
        std::cerr << e.what() << "\n";
        std::remove(output.c_str());
        return 1;
    }
    return 0;
}
