#pragma once

// With TZ unset, glibc's mktime looks at /etc/localtime again on every call (a stat each time Qt
// builds a local date-time: dozens a document). Naming that same file in TZ makes glibc read it
// once; Qt takes ":/etc/localtime" as "the system's zone", as it does an unset TZ. A zone changed
// while the program runs is then seen on its next start. Call at start-up, before other threads
// run; a TZ already set (even empty) is left alone.
void u_zonaHorariaLeidaUnaVez();
