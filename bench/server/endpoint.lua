-- One wrk script for every endpoint of a shopper's flow. BENCH_KIND names the request;
-- BENCH_RARE the phrase of the rare search. Each request draws its own random values, so
-- caches see the spread a crowd of shoppers makes. done() prints one JSON line for run.sh.
local kind = os.getenv("BENCH_KIND") or "category"
local rare = os.getenv("BENCH_RARE") or "fern+everyday+dress"
local login = "loginUserName=demo%40kelda.test&loginPassword=kelda123"
local zips = {"10001", "11201", "02108", "19107", "20004", "60601", "94103", "90071", "98101", "30303"}
local places = {{"New York", "NY"}, {"Boston", "MA"}, {"Chicago", "IL"}, {"Seattle", "WA"},
                {"Atlanta", "GA"}, {"Philadelphia", "PA"}}

local function bag(lines)
  local items = {}
  for i = 1, lines do
    items[i] = string.format('{"setUpcID":"%d","setQuantity":"1","setLineId":"%d"}',
                             math.random(500001, 800000), i)
  end
  return "[" .. table.concat(items, ",") .. "]"
end

local function order(extra)
  return "itemBOAttr=" .. bag(2) .. "&cardId=1&contactId=1&orderNumber=1&baseFee=0" ..
      "&shipmentFee=0&shippingMethod=" .. '{"code":"G","description":"Standard"}' ..
      "&orderTax=0&" .. login .. "&securityCode=123&promoCode=" .. extra
end

local kinds = {
  category = {"/category", function() return "&categoryId=" .. ({118, 1, 22672, 7495, 13247})[math.random(5)] end},
  results = {"/results", function()
    return string.format("categoryId=%d&pageNumber=%d&refinements=",
                         30000 + 100 * math.random(0, 9) + math.random(0, 13), math.random(1, 3))
  end},
  results_refined = {"/results", function()
    return "categoryId=118&pageNumber=1&refinements=" .. '{"BRAND":"","PRICE":"","RATING":"4 Stars & Up"}'
  end},
  search_common = {"/results_search", function() return "&searchPhrase=classic&pageNumber=" .. math.random(1, 5) end},
  search_rare = {"/results_search", function() return "&searchPhrase=" .. rare end},
  product = {"/product", function()
    return "productId=" .. math.random(100001, 200000) .. "&categoryId=30200&categoryFlag=BROWSE_WHEEL"
  end},
  reviews = {"/product", function()
    return "productId=" .. math.random(100001, 200000) .. "&reviewPageNumber=" .. math.random(2, 4)
  end},
  keldas_viewbag = {"/keldas_viewbag", function()
    return "itemBOAttr=" .. bag(5) .. "&contactId=&loginUserName=&loginPassword=&promoCode=SAVE10&shopAction5TagAttr=[]"
  end},
  keldas_viewbag_signed_in = {"/keldas_viewbag", function()
    return "itemBOAttr=" .. bag(5) .. "&contactId=1&" .. login .. "&promoCode=&shopAction5TagAttr=[]"
  end},
  get_promo = {"/get_promo", function() return "" end},
  store_locator_zip = {"/store_locator", function() return "zipcode=" .. zips[math.random(#zips)] end},
  store_locator_city = {"/store_locator", function()
    local p = places[math.random(#places)]
    return "city=" .. p[1] .. "&state=" .. p[2]
  end},
  store_locator_position = {"/store_locator", function()
    return string.format("latitude=%.4f&longitude=%.4f", 40 + math.random() * 2, -75 + math.random() * 2)
  end},
  findinstore = {"/findinstore", function()
    return "upcId=" .. math.random(500001, 800000) .. "&zipcode=" .. zips[math.random(#zips)]
  end},
  instore_savingspass = {"/instore_savingspass", function() return "zipcode=" .. zips[math.random(#zips)] end},
  store_events = {"/store_events", function() return "storeId=" .. math.random(1, 50) end},
  signin = {"/signin", function() return login end},
  keldas_prepareorder = {"/keldas_prepareorder", function() return order("") end},
  keldas_processorder = {"/keldas_processorder", function() return order("") .. "&orderReservationNumber=" end},
  -- The yardstick: a small fixed page that touches no data, only the HTTP layer.
  yardstick = {"/service/shipping/index.jsp", nil},
}

local entry = kinds[kind] or error("unknown BENCH_KIND " .. kind)
wrk.path = entry[1]
if entry[2] then
  wrk.method = "POST"
  wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
else
  wrk.method = "GET"
end

request = function()
  if entry[2] then return wrk.format(nil, nil, nil, entry[2]()) end
  return wrk.format()
end

done = function(summary, latency, requests)
  local e = summary.errors
  io.write(string.format(
    '{"requests":%d,"seconds":%.2f,"rps":%.1f,"p50_ms":%.2f,"p99_ms":%.2f,"max_ms":%.2f,' ..
    '"socket_errors":%d,"http_errors":%d}\n',
    summary.requests, summary.duration / 1e6, summary.requests / (summary.duration / 1e6),
    latency:percentile(50) / 1000, latency:percentile(99) / 1000, latency.max / 1000,
    e.connect + e.read + e.write + e.timeout, e.status))
end
