-- POST /product for random products of the 100,000-product catalogue.
wrk.method = "POST"
wrk.path = "/product"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
request = function()
  local id = math.random(100001, 200000)
  return wrk.format(nil, nil, nil, "productId=" .. id .. "&categoryId=30200&categoryFlag=BROWSE_WHEEL")
end
