#!/usr/bin/python3
"""Check that a music module loads in libopenmpt: prints its format, duration and peak level.

Usage: /usr/bin/python3 tools/check_module.py assets/music/ZELMONTA.mo3 [out.wav]
"""
import ctypes
import math
import sys
import wave

lib = ctypes.CDLL("libopenmpt.so.0")
lib.openmpt_module_create_from_memory2.restype = ctypes.c_void_p
lib.openmpt_module_create_from_memory2.argtypes = [ctypes.c_void_p, ctypes.c_size_t] + [ctypes.c_void_p] * 6 + [ctypes.c_void_p]
lib.openmpt_module_get_duration_seconds.restype = ctypes.c_double
lib.openmpt_module_get_duration_seconds.argtypes = [ctypes.c_void_p]
lib.openmpt_module_get_metadata.restype = ctypes.c_void_p
lib.openmpt_module_get_metadata.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
lib.openmpt_module_read_interleaved_stereo.restype = ctypes.c_size_t
lib.openmpt_module_read_interleaved_stereo.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.c_size_t, ctypes.c_void_p]
lib.openmpt_module_get_num_orders.argtypes = [ctypes.c_void_p]
lib.openmpt_module_get_num_patterns.argtypes = [ctypes.c_void_p]
lib.openmpt_module_get_num_samples.argtypes = [ctypes.c_void_p]
lib.openmpt_free_string.argtypes = [ctypes.c_void_p]


def metadata(mod, key):
    p = lib.openmpt_module_get_metadata(mod, key.encode())
    s = ctypes.cast(p, ctypes.c_char_p).value.decode()
    lib.openmpt_free_string(p)
    return s


def main():
    data = open(sys.argv[1], "rb").read()
    buf = ctypes.create_string_buffer(data, len(data))
    err = ctypes.c_int(0)
    mod = lib.openmpt_module_create_from_memory2(buf, len(data), None, None, None, None, ctypes.byref(err), None, None)
    if not mod:
        print("load failed, error", err.value)
        return 1
    print("type:", metadata(mod, "type"), "| container:", metadata(mod, "container"),
          "| original:", metadata(mod, "originaltype"))
    print("orders", lib.openmpt_module_get_num_orders(mod), "patterns", lib.openmpt_module_get_num_patterns(mod),
          "samples", lib.openmpt_module_get_num_samples(mod))
    print("duration: %.1f s" % lib.openmpt_module_get_duration_seconds(mod))
    rate = 44100
    chunk = 4096
    arr = (ctypes.c_int16 * (chunk * 2))()
    peak = 0
    frames = bytearray()
    while True:
        n = lib.openmpt_module_read_interleaved_stereo(mod, rate, chunk, arr)
        if n == 0:
            break
        vals = arr[:n * 2]
        peak = max(peak, max(abs(v) for v in vals))
        if len(sys.argv) > 2:
            frames += bytes(memoryview(arr).cast("B")[:n * 4])
    print("peak: %.2f dBFS" % (20 * math.log10(max(peak, 1) / 32768)))
    if len(sys.argv) > 2:
        with wave.open(sys.argv[2], "wb") as w:
            w.setnchannels(2)
            w.setsampwidth(2)
            w.setframerate(rate)
            w.writeframes(bytes(frames))
    return 0


if __name__ == "__main__":
    sys.exit(main())
