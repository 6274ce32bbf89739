// Shared helpers of the DXF codec tests: a document with every modelled entity, ezdxf runs.
#pragma once

#include <string>

#include "host/dxf/Document.h"

namespace host::dxf::test {

/// A document built from scratch holding every modelled entity type (and a block with
/// attribute definitions, xdata, a block preview and a thumbnail).
Document everyEntityDocument();

/// True when /usr/bin/python3 can import ezdxf.
bool haveEzdxf();

/// Runs a Python snippet with /usr/bin/python3; returns its exit status and fills `output`.
int runPython(const std::string& script, std::string& output);

/// A fresh temporary folder for one test.
std::string tempDir(const std::string& name);

std::string readText(const std::string& path);

}  // namespace host::dxf::test
