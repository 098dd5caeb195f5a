#!/usr/bin/env python3
# Adds to resources/LocatorSampleDirectory.plist the places that make the embedded services answer
# everywhere a user is likely to look: a postal code in every United States state (with the
# location editor's default, 45056), and the twenty countries with the most guitarists, each with
# dealers and teachers near it. Everything it writes is invented: the shops, the teachers, their
# streets, phone numbers (555 numbers), mail and web addresses (".example"). Only the postal codes
# and the city coordinates place the invented entries on the map.
#
# It keeps the hand-written entries, replaces what an earlier run added and draws the same data
# on every run: python3 tools/authoring/locator_directory.py resources/LocatorSampleDirectory.plist
import plistlib, random, sys

BRANDS = ["Dunmoor", "Temba", "BrevanoStrings", "BrevanoBowed", "Tolvek", "Halvet", "Quillon"]
INSTRUMENTS = ["Guitar", "Bass", "Mandolin", "Banjo", "Ukulele"]
STYLES = ["Blues", "Classical", "Jazz", "Rock", "Folk", "Country", "Bluegrass", "Flamenco", "Metal"]
LEVELS = ["Beginner", "Intermediate", "Advanced"]
AGES = ["Children", "Teens", "Adults", "Seniors"]

# State, postal code, city, latitude, longitude: one place in each state without one so far, and
# more around the location editor's default postal code.
US_PLACES = [
    ("AL", "35203", "Birmingham", 33.5186, -86.8104), ("AK", "99501", "Anchorage", 61.2181, -149.9003),
    ("AZ", "85004", "Phoenix", 33.4484, -112.0740), ("AR", "72201", "Little Rock", 34.7465, -92.2896),
    ("CA", "90012", "Los Angeles", 34.0614, -118.2385), ("CO", "80202", "Denver", 39.7392, -104.9903),
    ("CT", "06103", "Hartford", 41.7658, -72.6734), ("DE", "19801", "Wilmington", 39.7391, -75.5398),
    ("DC", "20001", "Washington", 38.9072, -77.0369), ("FL", "33130", "Miami", 25.7617, -80.1918),
    ("GA", "30303", "Atlanta", 33.7490, -84.3880), ("HI", "96813", "Honolulu", 21.3069, -157.8583),
    ("ID", "83702", "Boise", 43.6150, -116.2023), ("IN", "46204", "Indianapolis", 39.7684, -86.1581),
    ("IA", "50309", "Des Moines", 41.5868, -93.6250), ("KS", "67202", "Wichita", 37.6872, -97.3301),
    ("KY", "40202", "Louisville", 38.2527, -85.7585), ("LA", "70112", "New Orleans", 29.9511, -90.0715),
    ("ME", "04101", "Portland", 43.6591, -70.2568), ("MD", "21201", "Baltimore", 39.2904, -76.6122),
    ("MA", "02108", "Boston", 42.3601, -71.0589), ("MI", "48226", "Detroit", 42.3314, -83.0458),
    ("MN", "55401", "Minneapolis", 44.9778, -93.2650), ("MS", "39201", "Jackson", 32.2988, -90.1848),
    ("MO", "63101", "St. Louis", 38.6270, -90.1994), ("MT", "59101", "Billings", 45.7833, -108.5007),
    ("NE", "68102", "Omaha", 41.2565, -95.9345), ("NV", "89101", "Las Vegas", 36.1699, -115.1398),
    ("NH", "03101", "Manchester", 42.9956, -71.4548), ("NM", "87102", "Albuquerque", 35.0844, -106.6504),
    ("NC", "27601", "Raleigh", 35.7796, -78.6382), ("ND", "58102", "Fargo", 46.8772, -96.7898),
    ("OH", "45056", "Oxford", 39.5070, -84.7452), ("OH", "45202", "Cincinnati", 39.1031, -84.5120),
    ("OH", "45402", "Dayton", 39.7589, -84.1916), ("OH", "43215", "Columbus", 39.9612, -82.9988),
    ("OK", "73102", "Oklahoma City", 35.4676, -97.5164), ("OR", "97204", "Portland", 45.5152, -122.6784),
    ("RI", "02903", "Providence", 41.8240, -71.4128), ("SC", "29201", "Columbia", 34.0007, -81.0348),
    ("SD", "57104", "Sioux Falls", 43.5446, -96.7311), ("TN", "37203", "Nashville", 36.1627, -86.7816),
    ("UT", "84101", "Salt Lake City", 40.7608, -111.8910), ("VT", "05401", "Burlington", 44.4759, -73.2121),
    ("VA", "23219", "Richmond", 37.5407, -77.4360), ("WV", "25301", "Charleston", 38.3498, -81.6326),
    ("WI", "53202", "Milwaukee", 43.0389, -87.9065), ("WY", "82001", "Cheyenne", 41.1400, -104.8202),
]

# Country code, name (as the location editor lists it), calling code, and two cities with their
# region and coordinates.
COUNTRIES = [
    ("BR", "Brazil", "55", [("São Paulo", "SP", -23.5505, -46.6333), ("Rio de Janeiro", "RJ", -22.9068, -43.1729)]),
    ("MX", "Mexico", "52", [("Mexico City", "CDMX", 19.4326, -99.1332), ("Guadalajara", "JAL", 20.6597, -103.3496)]),
    ("IN", "India", "91", [("Mumbai", "MH", 19.0760, 72.8777), ("Bengaluru", "KA", 12.9716, 77.5946)]),
    ("CN", "China", "86", [("Shanghai", "SH", 31.2304, 121.4737), ("Beijing", "BJ", 39.9042, 116.4074)]),
    ("JP", "Japan", "81", [("Tokyo", "13", 35.6762, 139.6503), ("Osaka", "27", 34.6937, 135.5023)]),
    ("DE", "Germany", "49", [("Hamburg", "HH", 53.5511, 9.9937), ("Munich", "BY", 48.1351, 11.5820)]),
    ("GB", "United Kingdom", "44", [("London", "LND", 51.5074, -0.1278), ("Glasgow", "GLG", 55.8642, -4.2518)]),
    ("FR", "France", "33", [("Paris", "IDF", 48.8566, 2.3522), ("Marseille", "PAC", 43.2965, 5.3698)]),
    ("IT", "Italy", "39", [("Milan", "MI", 45.4642, 9.1900), ("Rome", "RM", 41.9028, 12.4964)]),
    ("ES", "Spain", "34", [("Madrid", "MD", 40.4168, -3.7038), ("Barcelona", "CT", 41.3874, 2.1686)]),
    ("CA", "Canada", "1", [("Montreal", "QC", 45.5019, -73.5674), ("Vancouver", "BC", 49.2827, -123.1207)]),
    ("AU", "Australia", "61", [("Sydney", "NSW", -33.8688, 151.2093), ("Brisbane", "QLD", -27.4698, 153.0251)]),
    ("RU", "Russia", "7", [("Moscow", "MOW", 55.7558, 37.6173), ("Saint Petersburg", "SPE", 59.9311, 30.3609)]),
    ("AR", "Argentina", "54", [("Buenos Aires", "C", -34.6037, -58.3816), ("Córdoba", "X", -31.4201, -64.1888)]),
    ("KR", "South Korea", "82", [("Seoul", "11", 37.5665, 126.9780), ("Busan", "26", 35.1796, 129.0756)]),
    ("ID", "Indonesia", "62", [("Jakarta", "JK", -6.2088, 106.8456), ("Bandung", "JB", -6.9175, 107.6191)]),
    ("PH", "Philippines", "63", [("Manila", "NCR", 14.5995, 120.9842), ("Cebu City", "CEB", 10.3157, 123.8854)]),
    ("PL", "Poland", "48", [("Warsaw", "MZ", 52.2297, 21.0122), ("Kraków", "MA", 50.0647, 19.9450)]),
    ("NL", "Netherlands", "31", [("Amsterdam", "NH", 52.3676, 4.9041), ("Utrecht", "UT", 52.0907, 5.1214)]),
    ("US", "United States", "1", []),
]

# Made-up place words, so that no shop name stands for a real business.
SHOP_FIRST = ["Amberwick", "Bluefennel", "Cindervale", "Driftholm", "Emberly Row", "Fernwhistle",
              "Goldmarrow", "Hollowtine", "Ironquill", "Junebridge", "Kettlewick", "Larkmoor",
              "Mossgrove", "Nettlecombe", "Oakenfret", "Pinewhistle", "Quillbury", "Redfennel",
              "Silverbrook Lane", "Thistlebrook", "Umberdale", "Velvetine", "Willowtine",
              "Yarrowmere", "Zephyrwood", "Brightfennel", "Copperwick", "Dovetine", "Evermarrow",
              "Foxwhistle", "Granitewick", "Heronvale", "Indigomere", "Kestrelby", "Lowfennel",
              "Marigrove", "Nightquill", "Orchardine", "Pebblewick", "Quiethollow", "Riverquill",
              "Starlingmoor", "Tamarwick", "Umbermere", "Vesperdale", "Wrenholm", "Birchquill"]
SHOP_LAST = ["Music", "Guitars", "Strings", "Instruments", "Music Co.", "Guitar Works", "Fret Shop",
             "String Supply", "Music Hall", "Guitar Loft"]
STREETS = ["Chord Street", "Melody Avenue", "Octave Road", "Cadence Court", "Tremolo Way",
           "Bridge Street", "Scale Boulevard", "Harmony Lane", "Rondo Place", "Sonata Row",
           "Ballad Drive", "Anthem Square", "Refrain Road", "Vibrato Lane", "Interval Street"]
FIRST_NAMES = ["Aiko", "Bram", "Celia", "Dario", "Edda", "Farid", "Gisela", "Hana", "Ivo", "Jolene",
               "Kasimir", "Lucia", "Mateo", "Nadia", "Oskar", "Paloma", "Quentin", "Rosalind", "Soren",
               "Tamsin", "Ulla", "Viggo", "Wanda", "Ximena", "Yusuf", "Zora", "Anselm", "Bettina",
               "Cosmo", "Delphine", "Emeric", "Fenna", "Gideon", "Hilde", "Idris", "Juno", "Konrad",
               "Liesel", "Marlo", "Noemi", "Orla", "Pascal", "Rhea", "Silas", "Theda", "Umberto",
               "Vida", "Wilbur", "Yara", "Zeno"]
LAST_NAMES = ["Ashgrove", "Brightmore", "Castellane", "Dunstable", "Everwood", "Fairlie", "Gallowmere",
              "Hartwell", "Illingsby", "Juneberry", "Kittridge", "Larchmont", "Merriweather", "Nettlefold",
              "Orwell-Bay", "Pembrook", "Quarrington", "Rookwood", "Stillwater", "Thornbury", "Underhill",
              "Vantongeren", "Whitlock", "Yardley", "Zellwood"]


def shop_names(rng, taken):
    names = [first + " " + last for last in SHOP_LAST for first in SHOP_FIRST]
    rng.shuffle(names)
    return iter(name for name in names if name not in taken)


def web_name(text):
    return "".join(c if c.isalnum() else "-" for c in text.lower().replace(".", "")).strip("-").replace("--", "-")


def near(rng, latitude, longitude, spread):
    return (round(latitude + rng.uniform(-spread, spread), 4), round(longitude + rng.uniform(-spread, spread), 4))


def dealer(rng, name, index, city, region, country, calling, latitude, longitude, brands):
    lat, lon = near(rng, latitude, longitude, 0.04)
    record = {"brands": brands, "ALCLTX": name,
              "ALCMTX": "%d %s" % (rng.randint(2, 480), rng.choice(STREETS)),
              "ALCPTX": city, "ALBYCD": region, "ALCOCD": country,
              "ALCRTX": "(555) 02%02d-%04d" % (index % 100, 2000 + index) if country == "US"
              else "+%s 555 02%02d %03d" % (calling, index % 100, index),
              "LATTEX": "%.4f" % lat, "LNGTEX": "%.4f" % lon}
    if rng.random() < 0.3:
        record["ALCNTX"] = "Suite %d" % rng.randint(100, 450)
    if rng.random() < 0.8:
        record["HPAGEX"] = "https://%s.example" % web_name(name)
    if rng.random() < 0.25:
        record["ALCSTX"] = record["ALCRTX"][:-1] + "9"
    return record


def teacher(rng, first, last, index, city, state, postal, country, code, calling, latitude, longitude,
            instruments):
    lat, lon = near(rng, latitude, longitude, 0.05)
    record = {"firstName": first, "lastName": last,
              "email": "%s.%s@lessons.example" % (first.lower(), web_name(last)),
              "phone": "(555) 04%02d-%04d" % (index % 100, 4000 + index) if code == "US"
              else "+%s 555 04%02d %03d" % (calling, index % 100, index),
              "address": "%d %s" % (rng.randint(2, 480), rng.choice(STREETS)),
              "city": city, "state": state, "postalCode": postal, "country": country, "countryCode": code,
              "yearsTeaching": str(rng.randint(2, 30)), "instruments": instruments,
              "styles": rng.sample(STYLES, rng.randint(1, 3)),
              "skillLevels": rng.sample(LEVELS, rng.randint(1, 3)),
              "ageGroups": rng.sample(AGES, rng.randint(1, 3)),
              "latitude": lat, "longitude": lon, "active": True, "approved": True}
    if rng.random() < 0.25:
        record["contactForRate"] = True
    else:
        record["rate"] = "$%d per hour" % rng.randrange(25, 80, 5)
    if rng.random() < 0.7:
        record["website"] = "www.%s-lessons.example" % web_name(last)
    if rng.random() < 0.65 or index % 2 == 0:
        record["imageName"] = "teacher-%d.png" % (100 + index)
    return record


def main(path):
    with open(path, "rb") as file:
        directory = plistlib.load(file)
    rng = random.Random(2011)
    added_codes = {code for _, code, *_ in US_PLACES}
    directory["postalCodes"] = {code: place for code, place in directory["postalCodes"].items()
                                if code not in added_codes}
    # An earlier run's entries carry the generated phone numbers: "(555) 02.." and "+CC 555 02..".
    directory["dealers"] = [d for d in directory["dealers"] if " 555 02" not in d["ALCRTX"]
                            and not d["ALCRTX"].startswith("(555) 02")]
    directory["teachers"] = [t for t in directory["teachers"] if " 555 04" not in t["phone"]
                             and not t["phone"].startswith("(555) 04")]
    names = shop_names(rng, {d["ALCLTX"] for d in directory["dealers"]})
    people = [(f, l) for l in LAST_NAMES for f in FIRST_NAMES]
    rng.shuffle(people)
    index = 0

    def add_place(city, region, postal, country, code, calling, latitude, longitude, dealers, teachers):
        nonlocal index
        for _ in range(dealers):
            brands = rng.sample(BRANDS, rng.randint(3, 6))
            directory["dealers"].append(dealer(rng, next(names), index, city, region, code, calling,
                                               latitude, longitude, brands))
            index += 1
        for t in range(teachers):
            first, last = people[index % len(people)]
            instruments = ["Guitar"] + rng.sample(INSTRUMENTS[1:], rng.randint(0, 2)) if t == 0 \
                else rng.sample(INSTRUMENTS, rng.randint(2, 3))
            directory["teachers"].append(teacher(rng, first, last, index, city, region, postal, country, code,
                                                 calling, latitude, longitude, instruments))
            index += 1

    # The hand-written places get a guitar teacher each as well.
    for code, place in list(directory["postalCodes"].items()):
        first, last = people[index % len(people)]
        directory["teachers"].append(teacher(rng, first, last, index, place["city"], place["state"], code,
                                             "United States", "US", "1", place["latitude"],
                                             place["longitude"], ["Guitar", rng.choice(INSTRUMENTS[1:])]))
        index += 1
    for state, code, city, latitude, longitude in US_PLACES:
        directory["postalCodes"][code] = {"city": city, "state": state, "latitude": latitude,
                                          "longitude": longitude}
        home = code == "45056"
        add_place(city, state, code, "United States", "US", "1", latitude, longitude,
                  3 if home else 2, 4 if home else 2)
        if home:  # every instrument of the teacher finder near the default postal code
            for instrument in INSTRUMENTS:
                first, last = people[index % len(people)]
                directory["teachers"].append(teacher(rng, first, last, index, city, state, code,
                                                     "United States", "US", "1", latitude, longitude,
                                                     [instrument, "Guitar"] if instrument != "Guitar"
                                                     else ["Guitar"]))
                index += 1
    for code, country, calling, cities in COUNTRIES:
        for city, region, latitude, longitude in cities:
            add_place(city, region, "%05d" % rng.randint(1000, 99999), country, code, calling,
                      latitude, longitude, 2, 1)
    with open(path, "wb") as file:
        plistlib.dump(directory, file, sort_keys=False)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/LocatorSampleDirectory.plist")
