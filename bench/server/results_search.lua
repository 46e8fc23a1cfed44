-- POST /results_search for a common word, first page.
wrk.method = "POST"
wrk.path = "/results_search"
wrk.body = "&searchPhrase=classic"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
