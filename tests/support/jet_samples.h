// Real Jet database files for the Access provider's tests, taken from Debian packages that
// ship them as examples: fetched once with apt-get download and kept in the build folder.
#pragma once

#include <QString>

struct JetSample {
    QString path;  // the file, or empty when it could not be fetched
    QString error; // why not
};

// testodbc.mdb of fp-units-db-3.2.2 (Jet 3): table FPdev (id, UserName, InstEmail), 8 rows.
JetSample jet3Sample();
// Monitor.mdb of mrtg-contrib (Jet 4): table Monitor_Authenticate, 1 row.
JetSample jet4Sample();
