#include "ReferenceData.hpp"

#include <array>

namespace kelda::server::reference {
namespace {

using SV = std::string_view;

constexpr std::array<SV, 15> kHomeSubs{"Dinnerware",    "Cookware",   "Small Appliances", "Cutlery",
                                       "Glassware",     "Home Decor", "Lighting",         "Rugs",
                                       "Storage",       "Furniture",  "Frames",           "Candles",
                                       "Kitchen Tools", "Bakeware",   "Outdoor Living"};
constexpr std::array<SV, 15> kBedSubs{"Sheets",
                                      "Comforters",
                                      "Quilts",
                                      "Pillows",
                                      "Blankets",
                                      "Mattress Pads",
                                      "Bath Towels",
                                      "Bath Rugs",
                                      "Shower Curtains",
                                      "Bath Accessories",
                                      "Duvet Covers",
                                      "Bedspreads",
                                      "Decorative Pillows",
                                      "Kids' Bedding",
                                      "Beach Towels"};
constexpr std::array<SV, 15> kWomenSubs{"Dresses",    "Tops",       "Sweaters",   "Jeans",
                                        "Pants",      "Skirts",     "Coats",      "Suits",
                                        "Activewear", "Swimwear",   "Sleepwear",  "Intimates",
                                        "Petites",    "Plus Sizes", "Accessories"};
constexpr std::array<SV, 15> kMenSubs{"Dress Shirts", "Casual Shirts", "Polos",     "T-Shirts",
                                      "Sweaters",     "Jeans",         "Pants",     "Shorts",
                                      "Suits",        "Sport Coats",   "Outerwear", "Activewear",
                                      "Sleepwear",    "Underwear",     "Ties"};
constexpr std::array<SV, 15> kJuniorSubs{"Tops",         "Tees",      "Dresses",  "Jeans",
                                         "Shorts",       "Skirts",    "Hoodies",  "Jackets",
                                         "Leggings",     "Rompers",   "Swimwear", "Sleepwear",
                                         "Graphic Tees", "Cardigans", "Joggers"};
constexpr std::array<SV, 15> kKidsSubs{
    "Baby",        "Toddler Girls", "Toddler Boys", "Girls 4-6x", "Girls 7-16",      "Boys 4-7",
    "Boys 8-20",   "Outerwear",     "Sleepwear",    "Swimwear",   "School Uniforms", "Shoes",
    "Accessories", "Dresswear",     "Activewear"};
constexpr std::array<SV, 14> kFragranceSubs{"Women's Perfume",
                                            "Men's Cologne",
                                            "Gift Sets",
                                            "Body Lotion",
                                            "Body Mist",
                                            "Bath & Shower",
                                            "Candles & Home Scents",
                                            "Travel Sizes",
                                            "Deodorant",
                                            "Rollerballs",
                                            "Solid Perfume",
                                            "Aftershave",
                                            "Hair Mist",
                                            "Samplers"};
constexpr std::array<SV, 15> kShoesSubs{
    "Sneakers", "Boots", "Sandals",  "Heels",      "Flats", "Loafers", "Oxfords",    "Slippers",
    "Wedges",   "Clogs", "Athletic", "Work Shoes", "Mules", "Booties", "Kids' Shoes"};
constexpr std::array<SV, 14> kHandbagSubs{
    "Totes",     "Crossbody Bags", "Satchels",    "Shoulder Bags", "Clutches",
    "Wallets",   "Backpacks",      "Hobo Bags",   "Wristlets",     "Travel Bags",
    "Belt Bags", "Evening Bags",   "Bucket Bags", "Laptop Bags"};
constexpr std::array<SV, 15> kJewelrySubs{
    "Necklaces",       "Earrings",      "Bracelets",     "Rings",         "Watches",
    "Pendants",        "Anklets",       "Brooches",      "Charms",        "Fine Jewelry",
    "Fashion Jewelry", "Men's Jewelry", "Kids' Jewelry", "Jewelry Boxes", "Wedding Bands"};

constexpr std::array<SV, 8> kHomeBrands{"Harbor & Hearth", "Oakline",   "Casa Verde", "Kelda Home",
                                        "Stone Ridge",     "Maple Row", "Brightwell", "Norda"};
constexpr std::array<SV, 8> kBedBrands{"Dream Meadow", "Kelda Home", "Linen & Loom", "Softbay",
                                       "Cloudrest",    "Northwind",  "Cotton Creek", "Aurelle"};
constexpr std::array<SV, 8> kWomenBrands{"Amara",        "Belle & Bloom", "Kelda Studio",
                                         "Velvet Lane",  "Coastline",     "Marisol",
                                         "Fern & Fable", "Ivory Row"};
constexpr std::array<SV, 8> kMenBrands{"Hartwell", "Kelda Man", "Ridge & Rover", "Baxter Bay",
                                       "Greyson",  "Ironwood",  "Summit Co.",    "Fulton"};
constexpr std::array<SV, 7> kJuniorBrands{"Pink Pop",   "Indie Street",      "Kelda Girl",
                                          "Sunny Days", "Rock & Roll Denim", "Mila",
                                          "Neon Park"};
constexpr std::array<SV, 7> kKidsBrands{"Little Sprout", "Kelda Kids", "Play & Grow", "Tadpole",
                                        "Starling",      "Bumble",     "Acorn"};
constexpr std::array<SV, 7> kFragranceBrands{"Lumiere", "Noir & Or", "Kelda Scent", "Verbena",
                                             "Santal",  "Citrine",   "Amberly"};
constexpr std::array<SV, 8> kShoesBrands{"Stride",  "Kelda Step", "Cobble & Co.", "Trailhead",
                                         "Bellini", "Run Free",   "Sole Mate",    "Harlow"};
constexpr std::array<SV, 7> kHandbagBrands{
    "Carryall", "Kelda Bags", "Strap & Buckle", "Mirelle", "Saddle Row", "Pocketful", "Luxe"};
constexpr std::array<SV, 7> kJewelryBrands{"Gleam", "Kelda Fine", "Silver & Stone", "Aurora",
                                           "Cameo", "Goldleaf",   "Opaline"};

constexpr std::array<PriceBand, 5> kWideBands{{{"Under $25", 0, 2500},
                                               {"$25 - $50", 2500, 5000},
                                               {"$50 - $100", 5000, 10000},
                                               {"$100 - $200", 10000, 20000},
                                               {"$200 & Above", 20000, 0}}};
constexpr std::array<PriceBand, 4> kNarrowBands{{{"Under $20", 0, 2000},
                                                 {"$20 - $40", 2000, 4000},
                                                 {"$40 - $75", 4000, 7500},
                                                 {"$75 & Above", 7500, 0}}};

constexpr std::array<SV, 10> kHomeNouns{"Bowl", "Skillet", "Mixer",  "Knife Set", "Vase",
                                        "Lamp", "Rug",     "Basket", "Platter",   "Toaster"};
constexpr std::array<SV, 10> kBedNouns{"Sheet Set", "Comforter",     "Quilt",    "Pillow",
                                       "Throw",     "Towel",         "Bath Rug", "Duvet",
                                       "Blanket",   "Shower Curtain"};
constexpr std::array<SV, 10> kWomenNouns{"Dress",    "Blouse",       "Cardigan",  "Skinny Jeans",
                                         "Trousers", "Pencil Skirt", "Wrap Coat", "Tunic",
                                         "Camisole", "Jumpsuit"};
constexpr std::array<SV, 10> kMenNouns{
    "Oxford Shirt", "Polo",         "Crewneck Tee", "Chinos", "Cotton Sweater",
    "Blazer",       "Denim Jacket", "Cargo Shorts", "Henley", "Quarter Zip"};
constexpr std::array<SV, 10> kJuniorNouns{
    "Crop Top",     "Graphic Tee", "Skater Dress",  "Jeggings", "Hoodie",
    "Denim Shorts", "Romper",      "Bomber Jacket", "Leggings", "Cami"};
constexpr std::array<SV, 10> kKidsNouns{"Bodysuit",    "Romper",   "Graphic Tee", "Pajama Set",
                                        "Rain Jacket", "Leggings", "Hoodie",      "Polo",
                                        "Swimsuit",    "Overalls"};
constexpr std::array<SV, 10> kFragranceNouns{
    "Eau de Parfum", "Eau de Toilette", "Cologne",    "Body Mist", "Body Lotion",
    "Gift Set",      "Rollerball",      "Shower Gel", "Candle",    "Aftershave"};
constexpr std::array<SV, 10> kShoesNouns{"Sneaker", "Ankle Boot", "Sandal",  "Pump",  "Ballet Flat",
                                         "Loafer",  "Oxford",     "Slipper", "Wedge", "Clog"};
constexpr std::array<SV, 10> kHandbagNouns{"Tote",     "Crossbody", "Satchel",  "Shoulder Bag",
                                           "Clutch",   "Wallet",    "Backpack", "Hobo",
                                           "Wristlet", "Weekender"};
constexpr std::array<SV, 10> kJewelryNouns{"Necklace", "Hoop Earrings", "Bracelet", "Ring",
                                           "Watch",    "Pendant",       "Anklet",   "Brooch",
                                           "Charm",    "Stud Earrings"};

constexpr std::array<SV, 4> kBedSizes{"Twin", "Full", "Queen", "King"};
constexpr std::array<SV, 5> kWomenSizes{"XS", "S", "M", "L", "XL"};
constexpr std::array<SV, 5> kMenSizes{"S", "M", "L", "XL", "XXL"};
constexpr std::array<SV, 5> kJuniorSizes{"1", "3", "5", "7", "9"};
constexpr std::array<SV, 5> kKidsSizes{"4", "5", "6", "7", "8"};
constexpr std::array<SV, 6> kShoeSizes{"6", "7", "8", "9", "10", "11"};
constexpr std::array<SV, 3> kFragranceTypes{"1.0 oz", "1.7 oz", "3.4 oz"};
constexpr std::array<SV, 2> kJewelryTypes{"Gold", "Silver"};
constexpr std::array<SV, 0> kNone{};

constexpr std::array<Department, 10> kDepartments{{
    {22672, 0, "For the Home", kHomeSubs, kHomeBrands, kWideBands, kHomeNouns, kNone, kNone, true,
     999, 34999},
    {7495, 1, "Bed & Bath", kBedSubs, kBedBrands, kWideBands, kBedNouns, kBedSizes, kNone, true,
     999, 29999},
    {118, 2, "Women", kWomenSubs, kWomenBrands, kWideBands, kWomenNouns, kWomenSizes, kNone, true,
     1499, 24999},
    {1, 3, "Men", kMenSubs, kMenBrands, kWideBands, kMenNouns, kMenSizes, kNone, true, 1499, 29999},
    {16904, 4, "Juniors", kJuniorSubs, kJuniorBrands, kNarrowBands, kJuniorNouns, kJuniorSizes,
     kNone, true, 799, 8999},
    {5991, 5, "Kids", kKidsSubs, kKidsBrands, kNarrowBands, kKidsNouns, kKidsSizes, kNone, true,
     599, 6999},
    {669, 6, "Fragrance", kFragranceSubs, kFragranceBrands, kWideBands, kFragranceNouns, kNone,
     kFragranceTypes, false, 1500, 15000},
    {13247, 7, "Shoes", kShoesSubs, kShoesBrands, kWideBands, kShoesNouns, kShoeSizes, kNone, true,
     2499, 22999},
    {26846, 8, "Handbags", kHandbagSubs, kHandbagBrands, kWideBands, kHandbagNouns, kNone, kNone,
     true, 1999, 39999},
    {544, 9, "Jewelry", kJewelrySubs, kJewelryBrands, kWideBands, kJewelryNouns, kNone,
     kJewelryTypes, false, 999, 49999},
}};

constexpr std::array<State, 51> kStates{{
    {"AL", "Alabama", 400, "South"},
    {"AK", "Alaska", 0, "West"},
    {"AZ", "Arizona", 560, "West"},
    {"AR", "Arkansas", 650, "South"},
    {"CA", "California", 725, "West"},
    {"CO", "Colorado", 290, "West"},
    {"CT", "Connecticut", 635, "Northeast"},
    {"DE", "Delaware", 0, "Northeast"},
    {"DC", "District of Columbia", 600, "Northeast"},
    {"FL", "Florida", 600, "South"},
    {"GA", "Georgia", 400, "South"},
    {"HI", "Hawaii", 400, "West"},
    {"ID", "Idaho", 600, "West"},
    {"IL", "Illinois", 625, "Midwest"},
    {"IN", "Indiana", 700, "Midwest"},
    {"IA", "Iowa", 600, "Midwest"},
    {"KS", "Kansas", 650, "Midwest"},
    {"KY", "Kentucky", 600, "South"},
    {"LA", "Louisiana", 445, "South"},
    {"ME", "Maine", 550, "Northeast"},
    {"MD", "Maryland", 600, "Northeast"},
    {"MA", "Massachusetts", 625, "Northeast"},
    {"MI", "Michigan", 600, "Midwest"},
    {"MN", "Minnesota", 688, "Midwest"},
    {"MS", "Mississippi", 700, "South"},
    {"MO", "Missouri", 423, "Midwest"},
    {"MT", "Montana", 0, "West"},
    {"NE", "Nebraska", 550, "Midwest"},
    {"NV", "Nevada", 685, "West"},
    {"NH", "New Hampshire", 0, "Northeast"},
    {"NJ", "New Jersey", 663, "Northeast"},
    {"NM", "New Mexico", 513, "West"},
    {"NY", "New York", 400, "Northeast"},
    {"NC", "North Carolina", 475, "South"},
    {"ND", "North Dakota", 500, "Midwest"},
    {"OH", "Ohio", 575, "Midwest"},
    {"OK", "Oklahoma", 450, "South"},
    {"OR", "Oregon", 0, "West"},
    {"PA", "Pennsylvania", 600, "Northeast"},
    {"RI", "Rhode Island", 700, "Northeast"},
    {"SC", "South Carolina", 600, "South"},
    {"SD", "South Dakota", 450, "Midwest"},
    {"TN", "Tennessee", 700, "South"},
    {"TX", "Texas", 625, "South"},
    {"UT", "Utah", 610, "West"},
    {"VT", "Vermont", 600, "Northeast"},
    {"VA", "Virginia", 530, "South"},
    {"WA", "Washington", 650, "West"},
    {"WV", "West Virginia", 600, "South"},
    {"WI", "Wisconsin", 500, "Midwest"},
    {"WY", "Wyoming", 400, "West"},
}};

constexpr std::array<Place, 50> kPlaces{{
    {"New York", "NY", "10001", 40.7506, -73.9972, "Herald Square"},
    {"Brooklyn", "NY", "11201", 40.6939, -73.9899, "Fulton Street"},
    {"White Plains", "NY", "10601", 41.0340, -73.7629, "Galleria"},
    {"Paramus", "NJ", "07652", 40.9445, -74.0754, "Garden State Plaza"},
    {"Newark", "NJ", "07102", 40.7357, -74.1724, "Broad Street"},
    {"Stamford", "CT", "06901", 41.0534, -73.5387, "Town Center"},
    {"Boston", "MA", "02108", 42.3576, -71.0636, "Downtown Crossing"},
    {"Burlington", "MA", "01803", 42.5048, -71.1956, "Burlington Mall"},
    {"Providence", "RI", "02903", 41.8240, -71.4128, "Providence Place"},
    {"Philadelphia", "PA", "19107", 39.9516, -75.1589, "Center City"},
    {"Pittsburgh", "PA", "15222", 40.4444, -79.9961, "Market Square"},
    {"Baltimore", "MD", "21201", 39.2946, -76.6252, "Harborplace"},
    {"Washington", "DC", "20004", 38.8951, -77.0269, "Metro Center"},
    {"Arlington", "VA", "22202", 38.8623, -77.0597, "Pentagon City"},
    {"Richmond", "VA", "23219", 37.5407, -77.4360, "Broad Street"},
    {"Charlotte", "NC", "28202", 35.2271, -80.8431, "SouthPark"},
    {"Atlanta", "GA", "30303", 33.7537, -84.3901, "Lenox Square"},
    {"Miami", "FL", "33131", 25.7663, -80.1918, "Brickell"},
    {"Orlando", "FL", "32801", 28.5421, -81.3790, "Mall at Millenia"},
    {"Tampa", "FL", "33602", 27.9506, -82.4572, "International Plaza"},
    {"Nashville", "TN", "37203", 36.1526, -86.7895, "Green Hills"},
    {"New Orleans", "LA", "70112", 29.9569, -90.0732, "Canal Place"},
    {"Houston", "TX", "77002", 29.7566, -95.3621, "Galleria"},
    {"Dallas", "TX", "75201", 32.7876, -96.7994, "NorthPark"},
    {"Austin", "TX", "78701", 30.2711, -97.7437, "Domain"},
    {"San Antonio", "TX", "78205", 29.4246, -98.4951, "Riverwalk"},
    {"Chicago", "IL", "60611", 41.8940, -87.6240, "Water Tower"},
    {"Schaumburg", "IL", "60173", 42.0480, -88.0376, "Woodfield"},
    {"Detroit", "MI", "48226", 42.3314, -83.0458, "Campus Martius"},
    {"Columbus", "OH", "43215", 39.9612, -82.9988, "Easton"},
    {"Cleveland", "OH", "44113", 41.4993, -81.6944, "Tower City"},
    {"Indianapolis", "IN", "46204", 39.7684, -86.1581, "Circle Centre"},
    {"Minneapolis", "MN", "55402", 44.9778, -93.2650, "Nicollet Mall"},
    {"Bloomington", "MN", "55425", 44.8549, -93.2422, "Mall of the Lakes"},
    {"Milwaukee", "WI", "53203", 43.0389, -87.9065, "Grand Avenue"},
    {"St. Louis", "MO", "63101", 38.6270, -90.1994, "Plaza Frontenac"},
    {"Kansas City", "MO", "64105", 39.0997, -94.5786, "Country Club Plaza"},
    {"Omaha", "NE", "68102", 41.2565, -95.9345, "Old Market"},
    {"Denver", "CO", "80202", 39.7392, -104.9903, "Cherry Creek"},
    {"Salt Lake City", "UT", "84101", 40.7608, -111.8910, "City Creek"},
    {"Phoenix", "AZ", "85004", 33.4484, -112.0740, "Biltmore"},
    {"Las Vegas", "NV", "89109", 36.1147, -115.1728, "Fashion Show"},
    {"Los Angeles", "CA", "90017", 34.0522, -118.2437, "7th Street"},
    {"Santa Monica", "CA", "90401", 34.0195, -118.4912, "Santa Monica Place"},
    {"San Diego", "CA", "92101", 32.7157, -117.1611, "Horton Plaza"},
    {"San Francisco", "CA", "94108", 37.7879, -122.4075, "Union Square"},
    {"San Jose", "CA", "95113", 37.3382, -121.8863, "Valley Fair"},
    {"Portland", "OR", "97205", 45.5189, -122.6795, "Pioneer Place"},
    {"Seattle", "WA", "98101", 47.6101, -122.3344, "Pine Street"},
    {"Honolulu", "HI", "96815", 21.2810, -157.8370, "Ala Moana"},
}};

constexpr std::array<SV, 12> kColours{"Black", "White", "Navy", "Red",   "Ivory", "Grey",
                                      "Blue",  "Green", "Pink", "Brown", "Tan",   "Purple"};
constexpr std::array<SV, 12> kAdjectives{"Classic", "Modern",   "Essential", "Signature",
                                         "Cotton",  "Everyday", "Luxe",      "Vintage",
                                         "Soft",    "Premium",  "Relaxed",   "Tailored"};
constexpr std::array<CardType, 5> kCardTypes{{{"VI", "Visa", "16", "Y"},
                                              {"MC", "MasterCard", "16", "Y"},
                                              {"AX", "American Express", "15", "Y"},
                                              {"DI", "Discover", "16", "Y"},
                                              {"KC", "Kelda's Card", "13,16", "N"}}};
constexpr std::array<Promotion, 4> kPromotions{{
    {"SAVE10", "Take 10% off your entire order", "ORDER", 10, 0},
    {"SHOES15", "15% off all shoes", "ITEM", 15, 13247},
    {"HOME20", "20% off everything For the Home", "ITEM", 20, 22672},
    {"FREESHIP", "Free standard shipping on any order", "SHIP", 0, 0},
}};

}  // namespace

std::span<const Department> departments() {
  return kDepartments;
}
std::span<const State> states() {
  return kStates;
}
std::span<const Place> places() {
  return kPlaces;
}
std::span<const std::string_view> colours() {
  return kColours;
}
std::span<const std::string_view> adjectives() {
  return kAdjectives;
}
std::span<const CardType> cardTypes() {
  return kCardTypes;
}
std::span<const Promotion> promotions() {
  return kPromotions;
}

}  // namespace kelda::server::reference
