#!/usr/bin/env python3
"""Writes program files for pictures and manual checks.

  make_fixture.py options FILE [field=value ...] [month_face=NAME] [year_face=NAME]
      Option.bin with the defaults of a fresh start and the given changes
      (one-byte fields: show_time, topmost, no_title_bar, small_mode,
      show_results, year_mode, digital_clock; faces set the character set
      to Shift-JIS).
  make_fixture.py amounts FILE MONTH/DAY=AMOUNT ...
      a year's amounts file (YYYY.dat) with the given days.
  make_fixture.py ledger FOLDER FIRST LAST [UNTIL]
      plausible amounts and memos (YYYY.dat, YYYYm.dat) for the years
      FIRST..LAST, always the same; the last year ends at UNTIL (MM/DD).
      The last year has its visits too (YYYYd.csv): one or two a day for
      the days whose memo names a place, adding up to the day's amount.
"""
import calendar
import random
import struct
import sys

BYTE_FIELDS = {'show_time': 60, 'topmost': 61, 'no_title_bar': 70, 'small_mode': 71, 'show_results': 98,
               'digital_clock': 107, 'year_mode': 110, 'clock_content': 97, 'no_seconds': 95}
INT_FIELDS = {'month_top': 62, 'month_left': 66, 'small_top': 99, 'small_left': 103, 'year_top': 111,
              'year_left': 115}


def default_options():
    b = bytearray(512)
    struct.pack_into('<i', b, 0, 20)
    b[28:28 + 15] = b'Times New Roman'
    b[61] = 1
    b[72:78] = b'Tovrel'
    b[128] = ord('t')
    struct.pack_into('<i', b, 129, 16)
    b[157:157 + 15] = b'Times New Roman'
    colours = [0x0000FF, 0, 0xFF0000, 0xFFFFE0, 0xFFFFE0, 0, 0xFFFFFF, 0x008000, 0xB8C088, 0xFF0000,
               0xB8C088, 0xB8C088, 0x00FFFF, 0xE0E0FF, 0x00FFFF, 0]
    for i, c in enumerate(colours):
        struct.pack_into('<I', b, 189 + 4 * i, c)
    custom = [0xB8C088, 0xFFFFE0, 0xE0FFFF, 0xE0E0FF] + [0xB8C088] * 12
    for i, c in enumerate(custom):
        struct.pack_into('<I', b, 253 + 4 * i, c)
    b[317:325] = bytes([1, 0, 1, 0, 1, 1, 0, 0])
    b[325:333] = bytes([1, 0, 1, 0, 1, 1, 0, 0])
    b[333 + 5] = 1
    b[343] = 5
    return b


def set_face(b, offset, name):
    face = name.encode('cp932')[:31]
    b[offset + 28:offset + 60] = face + bytes(32 - len(face))
    b[offset + 23] = 128  # lfCharSet: Shift-JIS


def options(path, changes):
    b = default_options()
    for change in changes:
        key, value = change.split('=', 1)
        if key == 'month_face':
            set_face(b, 0, value)
        elif key == 'year_face':
            set_face(b, 129, value)
        elif key in BYTE_FIELDS:
            b[BYTE_FIELDS[key]] = int(value) & 0xFF
        elif key in INT_FIELDS:
            struct.pack_into('<i', b, INT_FIELDS[key], int(value))
        else:
            sys.exit('unknown field ' + key)
    open(path, 'wb').write(b)


def amounts(path, days):
    b = bytearray(1488)
    for day in days:
        date, value = day.split('=')
        month, d = (int(x) for x in date.split('/'))
        struct.pack_into('<i', b, 4 * ((month - 1) * 31 + d - 1), int(value))
    open(path, 'wb').write(b)


PLACES = [('ABCホール 新台', 5), ('ABCホール', 4), ('XYZ会館 海', 3), ('駅前パーラー', 3), ('競馬 東京', 2),
          ('競馬 中山', 2), ('競艇 平和島', 1), ('麻雀 友人宅', 1), ('', 1)]


# What a memo's day was made of: category, place and the games played.
VISITS = {'ABCホール 新台': ('パチンコ', 'ABCホール', ['海物語', 'エヴァンゲリオン', 'ガンダム']),
          'ABCホール': ('スロット', 'ABCホール', ['ジャグラー', '北斗の拳']),
          'XYZ会館 海': ('パチンコ', 'XYZ会館', ['海物語']),
          '駅前パーラー': ('パチンコ', '駅前パーラー', ['牙狼', '海物語']),
          '競馬 東京': ('競馬', '東京競馬場', ['']), '競馬 中山': ('競馬', '中山競馬場', ['']),
          '競艇 平和島': ('競艇', '平和島', ['']), '麻雀 友人宅': ('麻雀', '友人宅', [''])}


def visits_of_day(rng, year, month, day, amount, memo):
    """CSV lines of a day's visits whose balances add up to its amount."""
    category, place, games = VISITS[memo]
    count = 2 if rng.random() < 0.25 else 1
    half = amount // 2 // 500 * 500
    balances = [amount] if count == 1 else [half, amount - half]
    start = rng.randrange(10, 18) * 60 + rng.choice([0, 15, 30, 45])
    lines = []
    for balance in balances:
        least = max(5, -balance // 1000 + 1)
        stake = rng.randrange(least, max(least + 1, 45)) * 1000
        minutes = rng.randrange(60, 300, 15)
        end = (start + minutes) % (24 * 60)
        lines.append(f'{year}/{month:02d}/{day:02d},{category},{place},{rng.choice(games)},{stake},{stake + balance},'
                     f'{start // 60:02d}:{start % 60:02d},{end // 60:02d}:{end % 60:02d},')
        start = end
    return lines


def ledger(folder, first, last, until='12/31'):
    rng = random.Random(2009)
    end_month, end_day = (int(x) for x in until.split('/'))
    names, weights = zip(*PLACES)
    visits = []
    for year in range(int(first), int(last) + 1):
        amounts, memos = bytearray(1488), bytearray(7812)
        for month in range(1, 13):
            for day in range(1, calendar.monthrange(year, month)[1] + 1):
                if year == int(last) and (month, day) > (end_month, end_day):
                    continue
                if calendar.weekday(year, month, day) < 5 and rng.random() > 0.15 or rng.random() > 0.45:
                    continue
                roll = rng.random()
                value = -1 if roll < 0.06 else rng.randrange(3, 52) * 500 if roll < 0.53 else -rng.randrange(4, 44) * 500
                struct.pack_into('<i', amounts, 4 * ((month - 1) * 31 + day - 1), value)
                name = rng.choices(names, weights)[0]
                memo = name.encode('cp932')
                at = (month - 1) * 651 + (day - 1) * 21
                memos[at:at + len(memo)] = memo
                if year == int(last) and name:
                    visits += visits_of_day(rng, year, month, day, 0 if value == -1 else value, name)
        open(f'{folder}/{year}.dat', 'wb').write(amounts)
        open(f'{folder}/{year}m.dat', 'wb').write(memos)
    text = '\ufeff日付,種別,場所,機種,投資,回収,開始,終了,メモ\r\n' + ''.join(line + '\r\n' for line in visits)
    open(f'{folder}/{last}d.csv', 'wb').write(text.encode('utf-8'))


if __name__ == '__main__':
    if len(sys.argv) < 3 or sys.argv[1] not in ('options', 'amounts', 'ledger'):
        sys.exit(__doc__)
    if sys.argv[1] == 'ledger':
        ledger(*sys.argv[2:])
    else:
        (options if sys.argv[1] == 'options' else amounts)(sys.argv[2], sys.argv[3:])
