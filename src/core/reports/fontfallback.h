#pragma once

#include <QString>

namespace qv {

    // The face text is really drawn in when the user or a report asks for `requested`: the face
    // itself when it is installed (in the font database's own spelling), else the first installed
    // face of the same kind (Times New Roman → Liberation Serif, Arial → Liberation Sans, Courier New
    // → Liberation Mono, …), else the default sans-serif face. An empty name means the default face.
    // Results are remembered for the run; call from the GUI thread.
    QString installedFace(const QString& requested);

    // The face used when nothing closer is installed.
    QString defaultSansFace();

} // namespace qv
