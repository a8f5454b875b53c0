# SPDX-License-Identifier: GPL-3.0-or-later
# Colours shared by every skin: the calendar, the marks, the daily log, the
# charts and the catalogue icons.
set(PAPER "#FFFCFD")
set(PAPER_DARK "#F4ECEF")
set(TEXT_DARK "#3E3339")
set(TEXT_SOFT "#6E6068")
set(LINE "#DCCFD5")
set(PERIOD "#E0577F")
set(PERIOD_DARK "#B8345D")
set(PERIOD_LIGHT "#F7B7CA")
set(FERTILE "#7DB84A")
set(FERTILE_DARK "#4F8A27")
set(OVULATION "#F2A93B")
set(OVULATION_DARK "#C9791A")
set(HEART "#E2457A")
set(FACE_INK "#4A3640")
set(SHADOW "#2A1822")
