// Windows headers in the one order that works with Windows Sockets.
#ifndef VORN_DEBUGCLIENT_WINHEADERS_H
#define VORN_DEBUGCLIENT_WINHEADERS_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <windows.h>

#endif
