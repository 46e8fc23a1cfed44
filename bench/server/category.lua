-- POST /category for the women's department, as the home screen asks.
wrk.method = "POST"
wrk.path = "/category"
wrk.body = "&categoryId=118"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
