#!/usr/bin/env python3
"""Writes the application shell's resource files: US-States.plist, CoreMetrics.plist, the five
tab images, the retailer's logo, the refine button's image and the store locator's icons. Run from the repository root:
python3 tools/resources/make_shell_resources.py"""
import plistlib
import struct
import zlib
from pathlib import Path

RESOURCES = Path(__file__).resolve().parents[2] / "resources"

STATES = {
    "AL": "Alabama", "AK": "Alaska", "AZ": "Arizona", "AR": "Arkansas", "CA": "California",
    "CO": "Colorado", "CT": "Connecticut", "DE": "Delaware", "DC": "District of Columbia",
    "FL": "Florida", "GA": "Georgia", "HI": "Hawaii", "ID": "Idaho", "IL": "Illinois",
    "IN": "Indiana", "IA": "Iowa", "KS": "Kansas", "KY": "Kentucky", "LA": "Louisiana",
    "ME": "Maine", "MD": "Maryland", "MA": "Massachusetts", "MI": "Michigan", "MN": "Minnesota",
    "MS": "Mississippi", "MO": "Missouri", "MT": "Montana", "NE": "Nebraska", "NV": "Nevada",
    "NH": "New Hampshire", "NJ": "New Jersey", "NM": "New Mexico", "NY": "New York",
    "NC": "North Carolina", "ND": "North Dakota", "OH": "Ohio", "OK": "Oklahoma", "OR": "Oregon",
    "PA": "Pennsylvania", "RI": "Rhode Island", "SC": "South Carolina", "SD": "South Dakota",
    "TN": "Tennessee", "TX": "Texas", "UT": "Utah", "VT": "Vermont", "VA": "Virginia",
    "WA": "Washington", "WV": "West Virginia", "WI": "Wisconsin", "WY": "Wyoming",
}

# Page id -> analytics category id, one category per area of the client.
PAGES = {
    "mobile.home.home": "MOBILE_HOME",
    "mobile.spin.browse": "MOBILE_BROWSE",
    "mobile.entry.search": "MOBILE_SEARCH",
    "mobile.results.browse": "MOBILE_BROWSE",
    "mobile.results.search": "MOBILE_SEARCH",
    "mobile.refine.browse": "MOBILE_BROWSE",
    "mobile.sales.search": "MOBILE_SALES",
    "mobile.sales.results.search": "MOBILE_SALES",
    "mobile.toprated.search": "MOBILE_TOPRATED",
    "mobile.toprated.results.search": "MOBILE_TOPRATED",
    "mobile.details.pdp": "MOBILE_PDP",
    "mobile.reviews.pdp": "MOBILE_PDP",
    "mobile.zoom.image.pdp": "MOBILE_PDP",
    "mobile.atb.layer.bag": "MOBILE_BAG",
    "mobile.search.store.csa": "MOBILE_STORE",
    "mobile.results.store.csa": "MOBILE_STORE",
    "mobile.shopping.bag": "MOBILE_BAG",
    "mobile.edit.bag": "MOBILE_BAG",
    "mobile.shipping.checkout": "MOBILE_CHECKOUT",
    "mobile.billing.checkout": "MOBILE_CHECKOUT",
    "mobile.summary.checkout": "MOBILE_CHECKOUT",
    "mobile.confirm.checkout": "MOBILE_CHECKOUT",
    "mobile.login.profile": "MOBILE_PROFILE",
    "mobile.create.profile": "MOBILE_PROFILE",
    "mobile.credit.profile": "MOBILE_PROFILE",
    "mobile.password.profile": "MOBILE_PROFILE",
    "mobile.landing.myaccount": "MOBILE_MYACCOUNT",
    "mobile.profile.myaccount": "MOBILE_MYACCOUNT",
    "mobile.wallet.myaccount": "MOBILE_MYACCOUNT",
    "mobile.address.myaccount": "MOBILE_MYACCOUNT",
    "mobile.store.landing.locator": "MOBILE_LOCATOR",
    "mobile.store.info.locator": "MOBILE_LOCATOR",
    "mobile.store.results.locator": "MOBILE_LOCATOR",
    "mobile.event.results.locator": "MOBILE_LOCATOR",
    "mobile.event.details.locator": "MOBILE_LOCATOR",
    "mobile.store.details.locator": "MOBILE_LOCATOR",
    "maps.store.locator": "MOBILE_LOCATOR",
    "mobile.info.home": "MOBILE_INFO",
    "mobile.about.home": "MOBILE_INFO",
}

def png(width, height, inside, ink=b"\x60\xff"):
    """A grey-and-alpha PNG whose pixels for which inside(x, y) holds are `ink`."""
    rows = b""
    for y in range(height):
        row = b"\x00"
        for x in range(width):
            row += ink if inside(x, y) else b"\x00\x00"
        rows += row
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 4, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))

# The logo in the home screen's navigation bar: 96x24, a bold "K" beside three bars.
def logo():
    def inside(x, y):
        if not 2 <= y <= 21:
            return False
        stem = 4 <= x <= 8
        arms = abs((x - 9) - abs(y - 11)) <= 2 and x >= 9 and x <= 20
        bars = 28 <= x <= 92 and y in (5, 6, 7, 11, 12, 13, 17, 18, 19) and x <= 92 - (y // 6) * 12
        return stem or arms or bars
    return png(96, 24, inside, b"\x20\xff")

# The refine button of result lists: 30x30, three bars getting shorter (a sort symbol).
def sort_button():
    return png(30, 30, lambda x, y: (y in (8, 9) and 5 <= x <= 24) or (y in (14, 15) and 5 <= x <= 19)
               or (y in (20, 21) and 5 <= x <= 14))

# Tab images: 30x30 grey-and-alpha icons drawn from a few simple shapes.
def icon(name):
    def inside(x, y):
        cx, cy = x - 15, y - 15
        if name == "home.png":       # a house: roof and body
            return (y >= 14 and 7 <= x <= 22 and y <= 25) or (5 <= y < 14 and abs(cx) <= y - 4)
        if name == "Search.png":     # a magnifier: ring and handle
            r = (cx + 3) ** 2 + (cy + 3) ** 2
            return 36 <= r <= 64 or (x - y == 0 and 17 <= x <= 25)
        if name == "mybag_icon.png": # a bag: body and handle
            return (11 <= y <= 25 and 6 <= x <= 23) or (6 <= y <= 11 and 10 <= x <= 19 and (x in (10, 11, 18, 19) or y in (6, 7)))
        if name == "offer_icon.png": # a tag: diamond with a hole
            d = abs(cx) + abs(cy)
            return d <= 11 and not (cx + 4) ** 2 + (cy + 4) ** 2 <= 4
        return y in (9, 10, 15, 16, 21, 22) and 6 <= x <= 23   # more: three bars
    return png(30, 30, inside)

# Store locator icons: 30x30, each one simple shape.
def store_icon(name):
    def inside(x, y):
        cx, cy = x - 15, y - 15
        if name == "Direction_btn.png":  # an arrow pointing right
            return (12 <= y <= 17 and 5 <= x <= 16) or (x >= 16 and abs(cy) <= 24 - x)
        if name == "call_icon.png":      # a handset: two ear pieces and the grip between them
            return (5 <= x <= 10 and 5 <= y <= 11) or (19 <= x <= 24 and 18 <= y <= 24) or \
                (abs(cx - cy) <= 2 and 8 <= x <= 21)
        if name == "get_location.png":   # a crosshair: ring and four ticks
            r = cx ** 2 + cy ** 2
            return 49 <= r <= 81 or (abs(cx) <= 1 and abs(cy) >= 11) or (abs(cy) <= 1 and abs(cx) >= 11)
        if name == "map_btn.png":        # a folded map: three panels with their folds
            return 6 <= y <= 24 and 4 <= x <= 25 and (x in (4, 5, 11, 12, 18, 19, 24, 25) or y in (6, 7, 23, 24))
        return (10 <= y <= 25 and 6 <= x <= 23 and not (13 <= x <= 16 and y >= 19)) or \
            (5 <= y < 10 and abs(cx) <= (y - 4) * 2)  # view stores: a shop front with its door
    return png(30, 30, inside)

def main():
    RESOURCES.mkdir(exist_ok=True)
    with open(RESOURCES / "US-States.plist", "wb") as f:
        plistlib.dump(STATES, f, fmt=plistlib.FMT_XML, sort_keys=True)
    with open(RESOURCES / "CoreMetrics.plist", "wb") as f:
        plistlib.dump(PAGES, f, fmt=plistlib.FMT_XML, sort_keys=True)
    for name in ("home.png", "Search.png", "mybag_icon.png", "offer_icon.png", "more_btn.png"):
        (RESOURCES / name).write_bytes(icon(name))
    (RESOURCES / "logo.png").write_bytes(logo())
    (RESOURCES / "sort_btn.png").write_bytes(sort_button())
    for name in ("Direction_btn.png", "call_icon.png", "get_location.png", "map_btn.png",
                 "view_stores.png"):
        (RESOURCES / name).write_bytes(store_icon(name))

if __name__ == "__main__":
    main()
