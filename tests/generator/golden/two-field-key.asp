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
Dim Productid
Dim Unit_Price
Dim Quantity
Dim Discount

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq=C:\Data\Northwind.mdb"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from Order Details where OrderID = " & OrderID & " And ProductID = " & ProductID & ";")

	If objRS.EOF Then
		Orderid = ""
		Productid = ""
		Unit_Price = ""
		Quantity = ""
		Discount = ""
	Else
		Orderid = objRS("Orderid")
		Productid = objRS("Productid")
		Unit_Price = objRS("Unit Price")
		Quantity = objRS("Quantity")
		Discount = objRS("Discount")
	End If
End Sub

Sub DisplayForm()
	html=""
	sRowColor="#C4CEE5"
	html = html & "<blockquote>"
	html = html & "Please make your changes then press the Update button.<p>"
	html = html & "<font color=red>" & sError & "</font><p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Post action=youraspfile.asp>"
	html = html & "<table cellpadding=2 cellspacing=2>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Orderid:</td><td><input size=20 name=Orderid value=" & Chr(34) & Server.HTMLEncode("" & Orderid) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Productid:</td><td><input size=20 name=Productid value=" & Chr(34) & Server.HTMLEncode("" & Productid) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Unit Price:</td><td><input size=20 name=Unit_Price value=" & Chr(34) & Server.HTMLEncode("" & Unit_Price) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Quantity:</td><td><input size=20 name=Quantity value=" & Chr(34) & Server.HTMLEncode("" & Quantity) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Discount:</td><td><input size=20 name=Discount value=" & Chr(34) & Server.HTMLEncode("" & Discount) & Chr(34) & "></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Orderid = Request.Form("Orderid")
	Productid = Request.Form("Productid")
	Unit_Price = Request.Form("Unit_Price")
	Quantity = Request.Form("Quantity")
	Discount = Request.Form("Discount")

	'TODO: Modify/Delete the field validations below to match your situation...

	If Orderid = "" Then
		sError = sError & "Orderid is a required field.<br>"
	End If 

	If Orderid <> "" Then
		If Not IsNumeric(Orderid) Or InStr(Orderid, Chr(0)) > 0 Or InStr(Orderid, ",") > 0 Then
			sError = sError & "Orderid is not a valid number.<br>"
		End If 
	End If 

	If Productid = "" Then
		sError = sError & "Productid is a required field.<br>"
	End If 

	If Productid <> "" Then
		If Not IsNumeric(Productid) Or InStr(Productid, Chr(0)) > 0 Or InStr(Productid, ",") > 0 Then
			sError = sError & "Productid is not a valid number.<br>"
		End If 
	End If 

	If Unit_Price = "" Then
		sError = sError & "Unit Price is a required field.<br>"
	End If 

	If Unit_Price <> "" Then
		If Not IsNumeric(Unit_Price) Or InStr(Unit_Price, Chr(0)) > 0 Or InStr(Unit_Price, ",") > 0 Then
			sError = sError & "Unit Price is not a valid number.<br>"
		End If 
	End If 

	If Quantity = "" Then
		sError = sError & "Quantity is a required field.<br>"
	End If 

	If Quantity <> "" Then
		If Not IsNumeric(Quantity) Or InStr(Quantity, Chr(0)) > 0 Or InStr(Quantity, ",") > 0 Then
			sError = sError & "Quantity is not a valid number.<br>"
		End If 
	End If 

	If Discount = "" Then
		sError = sError & "Discount is a required field.<br>"
	End If 

	If Discount <> "" Then
		If Not IsNumeric(Discount) Or InStr(Discount, Chr(0)) > 0 Or InStr(Discount, ",") > 0 Then
			sError = sError & "Discount is not a valid number.<br>"
		End If 
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into Order Details ("
		sql = sql & "Orderid,"
		sql = sql & "Productid,"
		sql = sql & "Unit_Price,"
		sql = sql & "Quantity,"
		sql = sql & "Discount"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & "" & Orderid & ","
		sql = sql & "" & Productid & ","
		sql = sql & "" & Unit_Price & ","
		sql = sql & "" & Quantity & ","
		sql = sql & "" & Discount & ""
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE Order Details SET "
		sql = sql & "Orderid=" & Orderid & ","
		sql = sql & "Productid=" & Productid & ","
		sql = sql & "Unit_Price=" & Unit_Price & ","
		sql = sql & "Quantity=" & Quantity & ","
		sql = sql & "Discount=" & Discount & ""
		sql = sql & " where OrderID = " & OrderID & " And ProductID = " & ProductID & ";"

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
	html = html & "<input type=hidden name=ProductID value=" & Chr(34) & Server.HTMLEncode(request.Form("ProductID")) & Chr(34) & ">"
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
	If Not IsNumeric(Request.Form("ProductID")) Or InStr(Request.Form("ProductID"), Chr(0)) > 0 Or InStr(Request.Form("ProductID"), ",") > 0 Then
		Response.Write "Not a valid record key."
		Response.End
	End If
	sql = "delete * from Order Details where OrderID=" & Request.Form("OrderID") & " And ProductID=" & Request.Form("ProductID") & ";"
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
