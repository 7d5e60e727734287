#!/usr/bin/env python3
"""Writes tie_trips.inc: trips whose results lie within an ulp of a
six-digit rounding tie, with the text that IEEE double arithmetic gives.

Every value here is an exact rational (fractions.Fraction) rounded to a
double by hand, so the expected text depends on no floating-point unit, no
compiler and no build of the program. A trip is kept only where the text
tells the formula apart from something it must not be:
  - x87 arithmetic, which rounds each product and quotient to a 64-bit
    significand and the stored result again to 53 bits;
  - algebraically equal rearrangements of the kilometres-per-litre formula.

Run it from anywhere; it rewrites the file beside it, or writes the file
named by its argument (which CI compares with the committed one):
  python3 test/tie_trips.py [OUTPUT]
"""

import math
import struct
import sys
import textwrap
from decimal import Decimal, ROUND_HALF_EVEN, localcontext
from fractions import Fraction
from pathlib import Path


def fromBits(bits):
    return Fraction(struct.unpack("<d", struct.pack("<Q", bits))[0])


KILOMETERS_PER_MILE = fromBits(0x3FF9A41A41A41A42)
LITERS_PER_GALLON = fromBits(0x400E463C8C7918F3)


def roundTo(x, bits):
    """x rounded to nearest, ties to even, to a `bits`-bit significand.

    The exponent is unbounded: every value here stays in the normal range,
    which the caller checks. Integer arithmetic throughout, for speed."""
    if x == 0:
        return x
    numerator, denominator = abs(x.numerator), x.denominator
    # 2**exponent <= |x| < 2**(exponent + 1)
    exponent = numerator.bit_length() - denominator.bit_length()
    if (numerator << max(-exponent, 0)) < (denominator << max(exponent, 0)):
        exponent -= 1
    shift = bits - 1 - exponent
    if shift >= 0:
        whole, rest = divmod(numerator << shift, denominator)
        halves = (rest * 2, denominator)
    else:
        whole, rest = divmod(numerator, denominator << -shift)
        halves = (rest * 2, denominator << -shift)
    if halves[0] > halves[1] or (halves[0] == halves[1] and whole % 2 == 1):
        whole += 1
    rounded = (Fraction(whole, 1 << shift) if shift >= 0
               else Fraction(whole << -shift))
    return rounded if x > 0 else -rounded


SMALLEST_NORMAL = Fraction(1, 1 << 1022)
BEYOND_LARGEST = Fraction(1 << 1024)


def double(x):
    assert x == 0 or SMALLEST_NORMAL <= abs(x) < BEYOND_LARGEST, x
    return roundTo(x, 53)


def extended(x):
    return roundTo(x, 64)


def formatted(x):
    """x as the stream's default format writes it: %g, six digits."""
    with localcontext() as context:
        context.prec = 6
        context.rounding = ROUND_HALF_EVEN
        rounded = Decimal(x.numerator) / Decimal(x.denominator)
    exponent = rounded.adjusted()
    if -4 <= exponent < 6:
        text = format(rounded, "f")
        if "." in text:
            text = text.rstrip("0").rstrip(".")
        return text
    digits = str(rounded.scaleb(-exponent).normalize())
    return "%se%s%02d" % (digits, "-" if exponent < 0 else "+", abs(exponent))


def ulp(x):
    exponent = x.numerator.bit_length() - x.denominator.bit_length()
    if Fraction(2) ** exponent > x:
        exponent -= 1
    return Fraction(2) ** (exponent - 52)


def results(gasGallons, milesTraveled):
    """What the program writes: the formula, each operation rounded once."""
    milesPerGallon = double(milesTraveled / gasGallons)
    kilometersPerLiter = double(
        double(milesTraveled * KILOMETERS_PER_MILE)
        / double(gasGallons * LITERS_PER_GALLON))
    return milesPerGallon, kilometersPerLiter


def x87(gasGallons, milesTraveled):
    """The same on the x87 unit: 64-bit operations, stored to double."""
    milesPerGallon = double(extended(milesTraveled / gasGallons))
    kilometersPerLiter = double(extended(
        extended(milesTraveled * KILOMETERS_PER_MILE)
        / extended(gasGallons * LITERS_PER_GALLON)))
    return milesPerGallon, kilometersPerLiter


def rearrangements(gasGallons, milesTraveled):
    """Kilometres per litre as it must not be computed, by name."""
    mpg = double(milesTraveled / gasGallons)
    k, l = KILOMETERS_PER_MILE, LITERS_PER_GALLON
    return {
        "mpg times a combined factor": double(mpg * double(k / l)),
        "mpg times one factor, over the other": double(double(mpg * k) / l),
        "mpg over one factor, times the other": double(double(mpg / l) * k),
        "over gallons, then over litres per gallon":
            double(double(double(milesTraveled * k) / gasGallons) / l),
        "distance times a factor over the fuel's litres":
            double(milesTraveled * double(k / double(gasGallons * l))),
    }


def nearTie(x):
    """True when x lies within an ulp of a six-digit rounding tie."""
    exponent = math.floor(math.log10(x))
    step = Fraction(10) ** (exponent - 5)
    tie = (math.floor(x / step - Fraction(1, 2)) + Fraction(1, 2)) * step
    return abs(x - tie) <= ulp(x)


def shortest(x):
    """The shortest decimal that reads back as the double x."""
    return repr(float(x))


def search():
    """For each fuel and start reading, the first six-digit tie from the aim
    on that some end reading brings a result within an ulp of, and where x87
    arithmetic writes another text. The end reading is scanned one double at
    a time around the distance that would give the tie exactly."""
    aims = [
        # fuel, start, which result, the tie to start from
        ("10", "0", "kml", "12.70435"), ("12.5", "45210", "kml", "13.21255"),
        ("2.5", "12000", "kml", "16.85445"), ("7", "0", "kml", "74687.35"),
        ("1", "0", "kml", "0.4234785"), ("3.25", "1000", "kml", "912.3375"),
        ("40", "0", "kml", "4.234775"), ("0.75", "500", "kml", "231.4565"),
        ("15", "120000", "kml", "8.765435"), ("9.5", "0", "kml", "1.234565"),
        ("22", "0", "kml", "55.55555"), ("5", "0", "kml", "100.0005"),
        ("12.3", "0", "mpg", "31.41595"), ("3.7", "0", "mpg", "42.42425"),
    ]
    found = []
    for gasText, startText, which, tieText in aims:
        gas = Fraction(float(gasText))
        start = Fraction(float(startText))
        first = Fraction(tieText)
        step = Fraction(10) ** (Decimal(tieText).adjusted() - 5)
        for count in range(100000):
            tie = first + count * step
            if which == "kml":
                distance = tie * gas * LITERS_PER_GALLON / KILOMETERS_PER_MILE
            else:
                distance = tie * gas
            hit = trip(gas, start, float(start + distance), which)
            if hit:
                found.append((gasText, startText) + hit)
                break
        else:
            raise SystemExit("no trip near %s for %s" % (tieText, gasText))
    return found


def trip(gas, start, aim, which):
    end = math.nextafter(math.nextafter(math.nextafter(aim, 0), 0), 0)
    for _ in range(7):
        miles = double(Fraction(end) - start)
        ours = results(gas, miles)
        if nearTie(ours[1] if which == "kml" else ours[0]):
            theirs = x87(gas, miles)
            if formatted(theirs[0]) != formatted(ours[0]) or \
                    formatted(theirs[1]) != formatted(ours[1]):
                differs = {name for name, other
                           in rearrangements(gas, miles).items()
                           if formatted(other) != formatted(ours[1])}
                return (shortest(end), formatted(ours[0]),
                        formatted(ours[1]), differs | {"x87"})
        end = math.nextafter(end, math.inf)
    return None


def main():
    found = search()
    told = set().union(*(hit[5] for hit in found))
    names = set(rearrangements(Fraction(1), Fraction(1))) | {"x87"}
    assert told == names, names - told
    lines = [
        "// Written by tie_trips.py: trips within an ulp of a six-digit",
        "// rounding tie, as (fuel, start, end, miles per gallon, kilometres",
        "// per litre), with the text of IEEE double arithmetic.",
    ]
    for gas, start, end, mpg, kml, differs in found:
        lines += textwrap.wrap("Not x87 arithmetic%s." % "".join(
            "; nor " + name for name in sorted(differs - {"x87"})),
            width=77, initial_indent="// ", subsequent_indent="// ")
        lines.append('{"%s", "%s", "%s", "%s", "%s"},' %
                     (gas, start, end, mpg, kml))
    output = (Path(sys.argv[1]) if len(sys.argv) > 1
              else Path(__file__).with_name("tie_trips.inc"))
    output.write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
