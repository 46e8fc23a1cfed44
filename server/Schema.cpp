#include "Schema.hpp"

namespace kelda::server {

void createSchema(Database& db) {
  db.exec(R"sql(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS departments(id INTEGER PRIMARY KEY, tag INTEGER, name TEXT NOT NULL);
-- kind: 'sub' (subcategory of a department), 'sale' and 'salesub' (sale lists, source_id is
-- the department or subcategory they draw from), 'ctr' (top rated list of subcategory source_id)
CREATE TABLE IF NOT EXISTS categories(id INTEGER PRIMARY KEY, parent_id INTEGER NOT NULL,
  department_id INTEGER NOT NULL, name TEXT NOT NULL, kind TEXT NOT NULL, source_id INTEGER,
  position INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS brands(id INTEGER PRIMARY KEY, department_id INTEGER NOT NULL,
  name TEXT NOT NULL, position INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS price_ranges(id INTEGER PRIMARY KEY, department_id INTEGER NOT NULL,
  name TEXT NOT NULL, low_cents INTEGER NOT NULL, high_cents INTEGER NOT NULL,
  position INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS products(id INTEGER PRIMARY KEY, category_id INTEGER NOT NULL,
  department_id INTEGER NOT NULL, brand_id INTEGER NOT NULL, name TEXT NOT NULL,
  description TEXT NOT NULL, old_cents INTEGER NOT NULL, new_cents INTEGER NOT NULL,
  price_type TEXT NOT NULL, rating INTEGER NOT NULL, review_count INTEGER NOT NULL,
  more_color INTEGER NOT NULL, find_in_store INTEGER NOT NULL, available INTEGER NOT NULL,
  max_quantity INTEGER NOT NULL, pdp_flag TEXT NOT NULL, parent_id INTEGER NOT NULL,
  tab_name TEXT NOT NULL, shipping_codes TEXT NOT NULL, excluded_states TEXT NOT NULL,
  tax_code TEXT NOT NULL, surcharge_cents INTEGER NOT NULL, click_to_call INTEGER NOT NULL,
  colour_family TEXT NOT NULL, on_sale INTEGER NOT NULL);
CREATE VIRTUAL TABLE IF NOT EXISTS product_text USING fts5(name, description, brand,
  content='', tokenize='porter unicode61 remove_diacritics 2', detail=none);
CREATE TABLE IF NOT EXISTS upcs(id INTEGER PRIMARY KEY, product_id INTEGER NOT NULL,
  colour TEXT NOT NULL, size TEXT NOT NULL, type TEXT NOT NULL, upc_number TEXT NOT NULL,
  price_cents INTEGER NOT NULL, stock INTEGER NOT NULL, in_store INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS promotions(code TEXT PRIMARY KEY, name TEXT NOT NULL,
  kind TEXT NOT NULL, percent INTEGER NOT NULL, department_id INTEGER NOT NULL,
  position INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS states(code TEXT PRIMARY KEY, name TEXT NOT NULL,
  tax_bp INTEGER NOT NULL, region TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS stores(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
  address1 TEXT NOT NULL, address2 TEXT NOT NULL, city TEXT NOT NULL, state TEXT NOT NULL,
  zipcode TEXT NOT NULL, phone TEXT NOT NULL, latitude REAL NOT NULL, longitude REAL NOT NULL,
  hours TEXT NOT NULL);
-- Events repeat the seeded pattern around the current day: start_offset days from today.
CREATE TABLE IF NOT EXISTS store_events(id INTEGER PRIMARY KEY, store_id INTEGER NOT NULL,
  name TEXT NOT NULL, description TEXT NOT NULL, start_offset INTEGER NOT NULL,
  days INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS savings_passes(region TEXT PRIMARY KEY, title TEXT NOT NULL,
  percent INTEGER NOT NULL, region_text TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS card_types(code TEXT PRIMARY KEY, name TEXT NOT NULL,
  max_length TEXT NOT NULL, visible TEXT NOT NULL, position INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS accounts(id INTEGER PRIMARY KEY, email TEXT NOT NULL UNIQUE
  COLLATE NOCASE, password_hash TEXT NOT NULL, first_name TEXT NOT NULL, last_name TEXT NOT NULL,
  address1 TEXT NOT NULL, address2 TEXT NOT NULL, city TEXT NOT NULL, state TEXT NOT NULL,
  zipcode TEXT NOT NULL, phone TEXT NOT NULL, birth_date TEXT NOT NULL, gender TEXT NOT NULL,
  subscription INTEGER NOT NULL, default_contact_id INTEGER NOT NULL DEFAULT 0,
  default_card_id INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS contacts(id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL,
  first_name TEXT NOT NULL, last_name TEXT NOT NULL, address1 TEXT NOT NULL,
  address2 TEXT NOT NULL, city TEXT NOT NULL, state TEXT NOT NULL, zipcode TEXT NOT NULL,
  phone TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS cards(id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL,
  card_type TEXT NOT NULL, card_number TEXT NOT NULL, expiration TEXT NOT NULL,
  billing_contact_id INTEGER NOT NULL, first_name TEXT NOT NULL, last_name TEXT NOT NULL,
  address1 TEXT NOT NULL, address2 TEXT NOT NULL, city TEXT NOT NULL, state TEXT NOT NULL,
  zipcode TEXT NOT NULL, phone TEXT NOT NULL, email TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS reservations(number TEXT PRIMARY KEY, account_id INTEGER NOT NULL,
  order_number TEXT NOT NULL, total_cents INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS orders(id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL,
  order_number TEXT NOT NULL, reservation_number TEXT NOT NULL, confirmation_number TEXT NOT NULL,
  mode TEXT NOT NULL, card_id INTEGER NOT NULL, contact_id INTEGER NOT NULL,
  shipping_method TEXT NOT NULL, items_cents INTEGER NOT NULL, discount_cents INTEGER NOT NULL,
  shipping_cents INTEGER NOT NULL, tax_cents INTEGER NOT NULL, total_cents INTEGER NOT NULL,
  promo_code TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS order_lines(order_id INTEGER NOT NULL, upc_id INTEGER NOT NULL,
  quantity INTEGER NOT NULL, price_cents INTEGER NOT NULL);
)sql");
}

void createIndexes(Database& db) {
  db.exec(R"sql(
CREATE INDEX IF NOT EXISTS products_by_category ON products(category_id, id);
CREATE INDEX IF NOT EXISTS products_by_department ON products(department_id, on_sale, id);
CREATE INDEX IF NOT EXISTS products_by_parent ON products(parent_id) WHERE parent_id <> 0;
CREATE INDEX IF NOT EXISTS upcs_by_product ON upcs(product_id);
CREATE INDEX IF NOT EXISTS upcs_by_number ON upcs(upc_number);
CREATE INDEX IF NOT EXISTS contacts_by_account ON contacts(account_id);
CREATE INDEX IF NOT EXISTS cards_by_account ON cards(account_id);
CREATE INDEX IF NOT EXISTS events_by_store ON store_events(store_id, start_offset);
)sql");
}

bool isSeeded(Database& db) {
  auto& st = db.prepare("SELECT value FROM meta WHERE key='seeded'");
  return st.step();
}

}  // namespace kelda::server
