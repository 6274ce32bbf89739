// Pictures of the working drawing for the session's ".png" and ".svg" (cadhost --png/--svg):
// the current space drawn by the renderer.
#include <platform/Paths.h>

#include "HostSessionState.h"
#include "host/db/Scene.h"
#include "host/render/Render.h"
#include "zcdbapserv.h"

namespace host::detail {

void installExportHooks(Session& session) {
    auto exporter = [](bool svg) {
        return [svg](const std::wstring& path) {
            ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
            if (!db)
                return false;
            const std::string file = platform::toUnixPath(path);
            if (file.empty())
                return false;
            const host::render::Scene scene = host::db::blockScene(db->currentSpaceId());
            const host::render::Status status = svg ? host::render::renderSvg(scene, file)
                                                    : host::render::renderPng(scene, file);
            return status == host::render::Status::Ok;
        };
    };
    session.setFileHandler(Session::FileAction::Png, exporter(false));
    session.setFileHandler(Session::FileAction::Svg, exporter(true));
}

}  // namespace host::detail
