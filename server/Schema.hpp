// Schema: the tables of the demo store. Money is kept in integer cents, ratings in half steps
// (0 to 10), lists that travel as text ("G,O,2") as texts joined by ",".
#pragma once

#include "Database.hpp"

namespace kelda::server {

// Creates every table that is missing. Indexes that slow down bulk seeding are separate.
void createSchema(Database& db);
// Creates the secondary indexes (after the bulk insert of the seeder).
void createIndexes(Database& db);
// True when the file already holds a seeded catalogue.
bool isSeeded(Database& db);

}  // namespace kelda::server
