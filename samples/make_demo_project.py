#!/usr/bin/env python3
"""Writes PROJECTS/Demo/pargen.xml and PROJECTS/Demo/CanCanCobID.xml exactly as the program
writes them (no declaration, no indentation, every row of a CAN 2.0A table written).
Run it from this folder."""
from xml.sax.saxutils import quoteattr

ROWS = 2048  # CAN 2.0A

def rows(pairs):
    out = []
    for original, modified, desc in pairs + [("", "", "")] * (ROWS - len(pairs)):
        out.append("<row Orig_CobID=%s Mod_CobID=%s Desc=%s/>" % (quoteattr(original), quoteattr(modified), quoteattr(desc)))
    return "".join(out)

# Device 0 side: nodes 1 to 8 appear to the far side as nodes 33 to 40; NMT and SYNC pass unchanged.
to_device1 = [("0x000", "", "NMT"), ("0x080", "", "SYNC")]
for node in range(1, 9):
    to_device1 += [("0x%03X" % (0x080 + node), "0x%03X" % (0x080 + node + 32), "EMCY node %d" % node),
                   ("0x%03X" % (0x180 + node), "0x%03X" % (0x180 + node + 32), "TPDO1 node %d" % node),
                   ("0x%03X" % (0x280 + node), "0x%03X" % (0x280 + node + 32), "TPDO2 node %d" % node),
                   ("0x%03X" % (0x580 + node), "0x%03X" % (0x580 + node + 32), "SDO response node %d" % node)]
to_device1 += [("1792", "", "Heartbeat master (decimal)")]

# Device 1 side: commands to nodes 33 to 40 reach nodes 1 to 8.
to_device0 = [("0x000", "", "NMT"), ("0x080", "", "SYNC")]
for node in range(1, 9):
    to_device0 += [("0x%03X" % (0x200 + node + 32), "0x%03X" % (0x200 + node), "RPDO1 node %d" % node),
                   ("0x%03X" % (0x300 + node + 32), "0x%03X" % (0x300 + node), "RPDO2 node %d" % node),
                   ("0x%03X" % (0x600 + node + 32), "0x%03X" % (0x600 + node), "SDO request node %d" % node)]
to_device0 += [("0x7E5", "", "LSS master")]

with open("PROJECTS/Demo/CanCanCobID.xml", "w", encoding="utf-8", newline="") as f:
    f.write("<CanCanCobID><Can0_to_Can1>%s</Can0_to_Can1><Can1_to_Can0>%s</Can1_to_Can0></CanCanCobID>"
            % (rows(to_device1), rows(to_device0)))

# 250 kbit/s on both ports (index 5), CAN 2.0A, positive implementation off, no dip switches.
with open("PROJECTS/Demo/pargen.xml", "w", encoding="utf-8", newline="") as f:
    f.write("<ParametriGenerali><Boud0>5</Boud0><Boud1>5</Boud1><Type>0</Type><Positive>0</Positive>"
            "<Baud_Dip_C0>0</Baud_Dip_C0><Baud_Dip_C1>0</Baud_Dip_C1></ParametriGenerali>")
