<%

Option Explicit

'--------------------------------------
'---- Spewed out by the Ombrix ----
'---- http://www.ombrix.org/   ----
'--------------------------------------

Function SQLQuote(ByVal var)
	If InStr(var, "'") <> 0 Then
		var = Replace(var, "'", "''")
	End If
	var = Replace(var, "|", "' & Chr(124) & '")

	SQLQuote = var
End Function

Function SQLDate(ByVal var)
	If var = "" Then
		SQLDate = "Null"
	Else
		SQLDate = "#" & var & "#"
	End If
End Function

'framework variables...
Dim objDB
Dim objRS
Dim sDBName
Dim sAction
Dim sRowColor
Dim html
Dim sql
Dim sError

'database variables...
Dim Orderid
Dim Orderdate
Dim Customer_Name
Dim Notes

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq=C:\Data\Shop.mdb"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from Orders where OrderID = " & OrderID & ";")

	If objRS.EOF Then
		Orderid = ""
		Orderdate = ""
		Customer_Name = ""
		Notes = ""
	Else
		Orderid = objRS("Orderid")
		Orderdate = objRS("Orderdate")
		Customer_Name = objRS("Customer Name")
		Notes = objRS("Notes")
	End If
End Sub

Sub DisplayForm()
	html=""
	sRowColor="#C4CEE5"
	html = html & "<blockquote>"
	html = html & "Please make your changes then press the Update button.<p>"
	html = html & "<font color=red>" & sError & "</font><p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Get action=youraspfile.asp>"
	html = html & "<table cellpadding=2 cellspacing=2>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Orderid:</td><td><input size=20 name=Orderid value=" & Chr(34) & Server.HTMLEncode("" & Orderid) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Orderdate:</td><td><input size=20 name=Orderdate value=" & Chr(34) & Server.HTMLEncode("" & Orderdate) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Customer Name:</td><td><input size=20 name=Customer_Name value=" & Chr(34) & Server.HTMLEncode("" & Customer_Name) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Notes:</td><td><textarea name=Notes rows=4 cols=40>" & Server.HTMLEncode("" & Notes) & "</textarea></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Orderid = Request.QueryString("Orderid")
	Orderdate = Request.QueryString("Orderdate")
	Customer_Name = Trim(Request.QueryString("Customer_Name"))
	Notes = Trim(Request.QueryString("Notes"))

	'TODO: Modify/Delete the field validations below to match your situation...

	If Orderid = "" Then
		sError = sError & "Orderid is a required field.<br>"
	End If 

	If Orderid <> "" Then
		If Not IsNumeric(Orderid) Or InStr(Orderid, Chr(0)) > 0 Or InStr(Orderid, ",") > 0 Then
			sError = sError & "Orderid is not a valid number.<br>"
		End If 
	End If 

	If Orderdate <> "" Then
		If Not IsDate(Orderdate) Or InStr(Orderdate, Chr(0)) > 0 Then
			sError = sError & "Orderdate is not a valid date.<br>"
		End If 
	End If 

	If Customer_Name = "" Then
		sError = sError & "Customer Name is a required field.<br>"
	End If 

	If Notes = "" Then
		sError = sError & "Notes is a required field.<br>"
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into Orders ("
		sql = sql & "Orderid,"
		sql = sql & "Orderdate,"
		sql = sql & "Customer_Name,"
		sql = sql & "Notes"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & "" & Orderid & ","
		sql = sql & SQLDate(Orderdate) & ","
		sql = sql & "'" & SqlQuote(Customer_Name) & "',"
		sql = sql & "'" & SqlQuote(Notes) & "'"
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE Orders SET "
		sql = sql & "Orderid=" & Orderid & ","
		sql = sql & "Orderdate=" & SQLDate(Orderdate) & ","
		sql = sql & "Customer_Name='" & SqlQuote(Customer_Name) & "',"
		sql = sql & "Notes='" & SqlQuote(Notes) & "'"
		sql = sql & " where OrderID = " & OrderID & ";"

		'response.write sql
		ObjDB.Execute(sql)

		If Err = 0 Then
			'if we get here without an error, the data was updated...
			Response.Write "Update Successful!"
			Response.End
		End If
	End If
End Sub

Sub PageStart()
	'pagestart stuff goes here...
	html = ""
	html = html & "<html>"
	html = html & "<head>"
	html = html & "<title>Title Goes Here</title>"
	html = html & "</head>"
	html = html & "<body>"
	Response.Write html
End Sub

Sub ShowConfirm()
	'delete confirmation stuff goes here...
	html = ""
	html = html & "<h3>Delete</h3>"
	html = html & "Press Confirm to permenantly remove this record from the database.<p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Post action=youraspfile.asp>"
	html = html & "<input type=submit name=action value=Confirm>"
	html = html & "<input type=hidden name=OrderID value=" & Chr(34) & Server.HTMLEncode(request.Form("OrderID")) & Chr(34) & ">"
	html = html & "</form>"
	Response.Write html
End Sub

Sub DeleteIt()
	'delete the record...
	html = ""
	If Not IsNumeric(Request.Form("OrderID")) Or InStr(Request.Form("OrderID"), Chr(0)) > 0 Or InStr(Request.Form("OrderID"), ",") > 0 Then
		Response.Write "Not a valid record key."
		Response.End
	End If
	sql = "delete * from Orders where OrderID=" & Request.Form("OrderID") & ";"
	objDB.Execute (sql)

	html = html & "<h3>Delete</h3>"
	html = html & "Delete Successful!"

	html = html & "<a href=index.html>R E T U R N</a>"
	Response.Write html
End Sub

Select Case sAction
	Case ""
		PageStart()
		GetData()
		DisplayForm()

	Case "Update"
		ValidateData()

	Case "Delete"
		PageStart()
		ShowConfirm()

	Case "Confirm"
		PageStart()
		DeleteIt()

End Select
%>
