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

    // The installed face of the same kind that stands in for requested when requested itself is not
    // installed (Times New Roman → Liberation Serif, …); empty when requested is installed, has no
    // known substitute, or none of its substitutes is. The default sans-serif face is never offered
    // here: text in it would not look like what was asked for.
    QString installedSubstitute(const QString& requested);

    // Whether requested itself is an installed family, ignoring letter case.
    bool isInstalledFace(const QString& requested);

} // namespace qv
