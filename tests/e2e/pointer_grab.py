"""Prints "held" when some X client holds the pointer grab, else "free":
a grab of our own is refused exactly when another client holds one."""
import ctypes

GRAB_SUCCESS, ALREADY_GRABBED, GRAB_MODE_ASYNC = 0, 1, 1

xlib = ctypes.CDLL("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XGrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.c_int,
                              ctypes.c_int, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
xlib.XUngrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

display = xlib.XOpenDisplay(None)
if not display:
    raise SystemExit("no display")
answer = xlib.XGrabPointer(display, xlib.XDefaultRootWindow(display), 0, 0, GRAB_MODE_ASYNC, GRAB_MODE_ASYNC, 0, 0, 0)
if answer == GRAB_SUCCESS:
    xlib.XUngrabPointer(display, 0)
xlib.XCloseDisplay(display)
print("held" if answer == ALREADY_GRABBED else "free")
