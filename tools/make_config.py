#!/usr/bin/env python3
"""Writes data/usersetting/Config.ini, the device catalogue and colour scheme.

The catalogue stores its identity keys (vendor and product ids, customer id,
sensor and firmware model names) Base64-encoded, so the file is generated
from the plain values below instead of being edited by hand.

    python3 tools/make_config.py           # rewrite the file
    python3 tools/make_config.py --check   # exit 1 when the file is stale

Values are written the way QSettings writes them (list items joined by ", ",
items holding "=" quoted), so QSettings reads lists back as lists; a one-item
list is written as its item. Not run by the build.
"""

import base64
import pathlib
import sys

OUTPUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "usersetting" / "Config.ini"

# Keys whose values (or list items) are stored Base64-encoded.
IDENTITY_KEYS = {
    "MM", "DM", "D2M", "D4M", "D8M", "Sensor", "CID", "VID",
    "USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID",
}

# One dark theme: light text on dark backgrounds, one azure accent.
ACCENT = (0, 168, 255)
OPTION = {
    "VID": "0x2FE5",
    "USB_PID": ["0x7A01"],        # mouse on its cable
    "Wireless_PID": ["0x7B01"],   # 1K receiver
    "Wireless2_PID": ["0x7B02"],  # 2K receiver
    "Wireless4_PID": ["0x7B04"],  # 4K receiver
    "Wireless8_PID": ["0x7B08"],  # 8K receiver
    "CID": "23",
    "Transition": 0,
    "ShowBatteryValue": 1,
    "LabelColor": (225, 228, 235),
    "ButtonColor": (240, 242, 245),
    "LinEditColor": (225, 228, 235),
    "LinEditColorSecond": (200, 205, 215),
    "ComboxTextColor": (225, 228, 235),
    "ComboxSelectColor": ACCENT,
    "ComboxBackGroundColor": (44, 47, 54),
    "SliderColor": ACCENT,
}

STAGE_COLORS = [
    (255, 0, 0), (0, 0, 255), (0, 255, 0), (255, 255, 0),
    (0, 255, 255), (255, 0, 255), (255, 128, 0), (255, 255, 255),
]

# Button defaults: type, first and second parameter of the button function.
LEFT, RIGHT, MIDDLE = ["0x01", "0x01", "0x00"], ["0x01", "0x02", "0x00"], ["0x01", "0x04", "0x00"]
BACK, FORWARD = ["0x01", "0x08", "0x00"], ["0x01", "0x10", "0x00"]
DPI_CYCLE = ["0x02", "0x01", "0x00"]
# A list starting with 0x05 is a key default the mouse keeps through a reset:
# three items name a consumer key by the low byte of its usage, four items a
# key combination text.
PLAY_PAUSE = ["0x05", "0x00", "0xCD"]
COPY_KEYS = ["0x05", "0x00", "0x00", "Ctrl+C"]
STANDARD_KEYS = [LEFT, RIGHT, MIDDLE, BACK, FORWARD, DPI_CYCLE]


def receiver_names(stem):
    return {"MM": f"QX-{stem}-M", "DM": f"QX-{stem}-R1", "D2M": f"QX-{stem}-R2",
            "D4M": f"QX-{stem}-R4", "D8M": f"QX-{stem}-R8"}


# DPIRange: minimum, maximum, step per segment, then the code mode.
#   0x22: above the first maximum the code counts in steps of 100.
#   0x11: above the first maximum the DPI is doubled.
#   0x33: per segment above the first: plain, step 100, doubled, both.
#   0:    one plain range.
MODELS = [
    dict(name="Aero", MID=1, Sensor="3950", **receiver_names("AERO"),
         DPIMaxGrade=8, XIn1=0,
         DPIRange=[50, 10000, 50, 10100, 30000, 100, "0x22"],
         DPIGrade=[400, 800, 1600, 3200, 6400, 12000, 20000, 30000],
         KeyNumber=6, KeyParams=STANDARD_KEYS, Adveanced=[0, 1]),
    dict(name="Lynx", MID=2, Sensor="3395", **receiver_names("LYNX"),
         DPIMaxGrade=6, XIn1=0,
         DPIRange=[50, 26000, 50, "0"],
         DPIGrade=[400, 800, 1600, 3200, 6400, 12800, 20000, 26000],
         KeyNumber=6, KeyParams=STANDARD_KEYS, Adveanced=[1, -1]),
    # Its DPI codes come from the SENSOR_Q3311_DPI_<dpi> table of
    # driver_sensor.h (100 to 12800 in steps of 100; doubled above).
    dict(name="Orca", MID=3, Sensor="Q3311", **receiver_names("ORCA"),
         DPIMaxGrade=5, XIn1=0,
         DPIRange=[100, 12800, 100, 13000, 25600, 200, "0x11"],
         DPIGrade=[400, 800, 1600, 3200, 6400, 12800, 19200, 25600],
         KeyNumber=6, KeyParams=[LEFT, RIGHT, MIDDLE, PLAY_PAUSE, COPY_KEYS, DPI_CYCLE],
         Adveanced=[-1, -1]),
    dict(name="Pico", MID=4, Sensor="3395", **receiver_names("PICO"),
         DPIMaxGrade=4, XIn1=2,
         DPIRange=[50, 5000, 50, 5050, 10000, 50, 10100, 20000, 100, 20200, 26000, 200, "0x33"],
         DPIGrade=[400, 800, 1600, 3200, 5000, 10000, 20000, 26000],
         KeyNumber=5, KeyParams=STANDARD_KEYS, Adveanced=[0, 2]),
]


def encode(text):
    return base64.b64encode(str(text).encode("utf-8")).decode("ascii")


def format_value(key, value):
    items = list(value) if isinstance(value, (list, tuple)) else [value]
    if key in IDENTITY_KEYS:
        items = [encode(item) for item in items]
    items = [str(item) for item in items]
    for item in items:
        # Characters QSettings would escape; none of our values need them.
        if any(c in item for c in ',;"\\') or item != item.strip():
            raise ValueError(f"{key}: item {item!r} needs escaping")
    # QSettings quotes an item holding "=" (Base64 padding) when it writes one.
    return ", ".join(f'"{item}"' if "=" in item else item for item in items)


def drive_entries(model):
    entries = [(key, model[key]) for key in
               ("MID", "Sensor", "MM", "DM", "D2M", "D4M", "D8M", "DPIMaxGrade", "XIn1",
                "DPIRange", "DPIGrade")]
    entries.append(("DPIColor", [c for rgb in STAGE_COLORS for c in rgb]))
    entries.append(("KeyNumber", model["KeyNumber"]))
    entries += [(f"KeyParam{i + 1}", params) for i, params in enumerate(model["KeyParams"])]
    entries.append(("Adveanced", model["Adveanced"]))
    return entries


def render():
    lines = ["; Generated by tools/make_config.py from plain values; edit it there and rerun.", ""]
    lines.append("[Option]")
    lines.append(f"DeviceTotal={len(MODELS)}")
    lines += [f"{key}={format_value(key, value)}" for key, value in OPTION.items()]
    for number, model in enumerate(MODELS, start=1):
        lines += ["", f"; {model['name']}", f"[Drive{number}]"]
        lines += [f"{key}={format_value(key, value)}" for key, value in drive_entries(model)]
    return "\n".join(lines) + "\n"


def main(argv):
    text = render()
    if "--check" in argv:
        current = OUTPUT.read_text(encoding="utf-8") if OUTPUT.exists() else None
        if current != text:
            print(f"{OUTPUT} is stale: run tools/make_config.py", file=sys.stderr)
            return 1
        return 0
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_text(text, encoding="utf-8", newline="\n")
    print(f"wrote {OUTPUT}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
