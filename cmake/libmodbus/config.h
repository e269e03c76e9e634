/* What libmodbus's configure would find for mingw-w64: only what its sources
   test. Windows has no RS-485 or RTS ioctls, no <byteswap.h>, accept4() or
   strlcpy(), so those stay undefined and libmodbus uses its own. */
#ifndef TARVEL_LIBMODBUS_CONFIG_H
#define TARVEL_LIBMODBUS_CONFIG_H

#define HAVE_DECL_TIOCSRS485 0
#define HAVE_DECL_TIOCM_RTS 0
#define HAVE_DECL___CYGWIN__ 0

#endif
