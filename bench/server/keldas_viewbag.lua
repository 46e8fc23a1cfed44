-- POST /keldas_viewbag with a bag of five random lines (signed out).
wrk.method = "POST"
wrk.path = "/keldas_viewbag"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
request = function()
  local lines = {}
  for i = 1, 5 do
    lines[i] = string.format('{"setUpcID":"%d","setQuantity":"%d","setLineId":"%d"}',
                             math.random(500001, 800000), math.random(1, 3), i)
  end
  local body = "itemBOAttr=[" .. table.concat(lines, ",") ..
      "]&contactId=&loginUserName=&loginPassword=&promoCode=SAVE10&shopAction5TagAttr=[]"
  return wrk.format(nil, nil, nil, body)
end
